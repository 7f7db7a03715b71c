#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "core/main_thread.h"

namespace quexa::core {

// A MainThread without windows, for quexa-cli and the tests: the thread that made it is the
// user-interface thread and runs the queue with ProcessPending or WaitAndProcess.
class PlainMainThread : public MainThread {
  public:
    PlainMainThread();
    ~PlainMainThread() override;
    PlainMainThread(const PlainMainThread&) = delete;
    PlainMainThread& operator=(const PlainMainThread&) = delete;

    void Post(Task task) override;
    bool Send(Task task) override;
    void ProcessPending() override;
    bool IsCurrent() const override;

    // Waits up to the timeout for work, then runs what is waiting. True when something ran.
    bool WaitAndProcess(std::chrono::milliseconds timeout);
    // Releases every waiting sender without running its task; later posts and sends are
    // dropped. For the end of the program, when abandoned workers may still call.
    void Shutdown();

  private:
    struct Entry;

    std::thread::id owner_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Entry>> queue_;
    bool shutDown_ = false;
};

}  // namespace quexa::core
