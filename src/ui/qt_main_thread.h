#pragma once

#include <chrono>
#include <memory>

#include "core/main_thread.h"

class QObject;
class QThread;

namespace quexa::ui {

// The user-interface thread's queue over the Qt event loop of the thread that made it (the
// thread of the QCoreApplication). Posts and sends are queued events of one object living on
// that thread, so they run in the order they were handed in.
class QtMainThread : public core::MainThread {
  public:
    QtMainThread();
    ~QtMainThread() override;
    QtMainThread(const QtMainThread&) = delete;
    QtMainThread& operator=(const QtMainThread&) = delete;

    void Post(Task task) override;
    bool Send(Task task) override;
    void ProcessPending() override;
    bool IsCurrent() const override;

    // Waits up to the timeout for work, then runs what is waiting. True when something ran.
    bool WaitAndProcess(std::chrono::milliseconds timeout);
    // Releases every waiting sender without running its task; later posts and sends are
    // dropped, and so are those still queued. For the end of the program, when abandoned
    // workers may still call; it also happens by itself when the application object goes.
    void Shutdown();

  private:
    struct Shared;
    struct Entry;
    struct ContextDeleter {
        void operator()(QObject* context) const;
    };

    // Queues the entry as an event of the context; false once shut down.
    bool Enqueue(const std::shared_ptr<Entry>& entry);

    static constexpr std::chrono::milliseconds kEventLoopInterval{10};

    QThread* const owner_;
    // When ProcessPending last ran the event loop.
    std::chrono::steady_clock::time_point lastEventLoop_{};
    // Held by every queued event too, so an event that outlives this object finds it shut down.
    std::shared_ptr<Shared> shared_;
    std::unique_ptr<QObject, ContextDeleter> context_;
};

}  // namespace quexa::ui
