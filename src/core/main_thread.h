#pragma once

#include <functional>

namespace quexa::core {

// The user-interface thread's queue. Workers hand it work instead of touching windows or the
// result list themselves.
class MainThread {
  public:
    using Task = std::function<void()>;

    virtual ~MainThread() = default;

    // Runs the task later on the user-interface thread; the caller goes on at once.
    virtual void Post(Task task) = 0;
    // Runs the task on the user-interface thread and returns when it has run; from that thread
    // itself it runs at once. False when the queue was shut down and the task will never run.
    virtual bool Send(Task task) = 0;
    // Runs what is waiting, as long loops on the user-interface thread must do now and then.
    virtual void ProcessPending() = 0;
    // Whether the caller is the user-interface thread.
    virtual bool IsCurrent() const = 0;
};

}  // namespace quexa::core
