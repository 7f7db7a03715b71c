#include "tasks/coalesced_refresh.h"

#include <utility>

namespace quexa::tasks {

CoalescedRefresh::CoalescedRefresh(Schedule schedule, Run refresh)
    : schedule_(std::move(schedule)), state_(std::make_shared<State>()) {
    state_->refresh = std::move(refresh);
}

void CoalescedRefresh::Request() {
    if (state_->pending) {
        return;
    }
    state_->pending = true;
    schedule_([weak = std::weak_ptr<State>(state_)] {
        if (const std::shared_ptr<State> state = weak.lock()) {
            RunPending(*state);
        }
    });
}

void CoalescedRefresh::Flush() {
    RunPending(*state_);
}

void CoalescedRefresh::RunPending(State& state) {
    if (!state.pending) {
        return;
    }
    // Cleared first, so that a request from inside the refresh schedules another run.
    state.pending = false;
    state.refresh();
}

}  // namespace quexa::tasks
