#pragma once

#include <functional>
#include <memory>

namespace quexa::tasks {

// Folds many requests into one run: the first request schedules the refresh (the window posts
// it to the next turn of its event loop), later ones before it runs only mark it wanted. A
// request made while the refresh runs schedules one more. A run scheduled for a refresher
// that is gone does nothing.
class CoalescedRefresh {
  public:
    using Run = std::function<void()>;
    using Schedule = std::function<void(Run)>;

    CoalescedRefresh(Schedule schedule, Run refresh);

    void Request();
    // Runs a wanted refresh now instead of later (the window is about to close, a test).
    void Flush();
    bool pending() const { return state_->pending; }

  private:
    struct State {
        Run refresh;
        bool pending = false;
    };

    static void RunPending(State& state);

    Schedule schedule_;
    std::shared_ptr<State> state_;
};

}  // namespace quexa::tasks
