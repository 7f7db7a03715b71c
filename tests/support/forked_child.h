#pragma once

#include <sys/types.h>

#include <functional>

namespace quexa::testing {

// Another program, for what two processes do to one file: a child process runs start and tells
// whether it succeeded, then waits until Finish (or destruction) lets it go, runs finish and
// exits. Fork it before the test starts threads of its own.
class ForkedChild {
  public:
    explicit ForkedChild(const std::function<bool()>& start,
                         const std::function<void()>& finish = {});
    ~ForkedChild();
    ForkedChild(const ForkedChild&) = delete;
    ForkedChild& operator=(const ForkedChild&) = delete;

    // What start returned; false also when the child could not be made.
    bool started() const { return started_; }
    // Lets the child finish and waits for it; true when it exited normally.
    bool Finish();

  private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool started_ = false;
};

}  // namespace quexa::testing
