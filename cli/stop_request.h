#pragma once

#include <csignal>

namespace quexa::cli {

// Ctrl-C while a command runs a task. The first one asks the main loop to stop the task, so that
// what was found so far is kept; the second ends the program at once. The handler only touches a
// lock-free atomic, which is safe in a signal handler. One at a time per process.
class StopRequest {
  public:
    // 128 + SIGINT, as shells report a program ended by Ctrl-C.
    static constexpr int kInterruptedExit = 130;

    StopRequest();
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    bool Requested() const;

  private:
    struct sigaction previous_ {};
};

}  // namespace quexa::cli
