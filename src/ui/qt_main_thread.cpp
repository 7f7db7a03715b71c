#include "ui/qt_main_thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <utility>

namespace quexa::ui {

struct QtMainThread::Entry {
    Task task;
    bool synchronous = false;
    bool done = false;
    bool ran = false;
};

// The queue itself is ours: an event only says that one entry is waiting. So the order, the
// drop at shut-down and every hand-over between threads stay under one mutex of our own.
struct QtMainThread::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Entry>> queue;
    bool shutDown = false;
    // Touched by the user-interface thread only.
    std::uint64_t ranCount = 0;

    void RunNext();
    void Shutdown();
};

void QtMainThread::Shared::RunNext() {
    std::shared_ptr<Entry> entry;
    {
        const std::lock_guard lock(mutex);
        if (queue.empty()) {
            return;  // dropped by a shut-down
        }
        entry = std::move(queue.front());
        queue.pop_front();
    }
    entry->task();
    ++ranCount;
    if (entry->synchronous) {
        {
            const std::lock_guard lock(mutex);
            entry->ran = true;
            entry->done = true;
        }
        changed.notify_all();
    }
}

namespace {

constexpr QEvent::Type kEntryWaiting = QEvent::User;

// Lives on the user-interface thread and receives one event per queued entry.
class Context : public QObject {
  public:
    explicit Context(std::function<void()> runNext) : runNext_(std::move(runNext)) {}

  protected:
    void customEvent(QEvent* /*event*/) override { runNext_(); }

  private:
    std::function<void()> runNext_;
};

}  // namespace

void QtMainThread::ContextDeleter::operator()(QObject* context) const {
    if (context->thread() == QThread::currentThread()) {
        delete context;
    } else {
        // The last holder may be an abandoned worker; the object must die on its own thread.
        context->deleteLater();
    }
}

QtMainThread::QtMainThread()
    : owner_(QThread::currentThread()),
      shared_(std::make_shared<Shared>()),
      context_(new Context([shared = shared_] { shared->RunNext(); })) {
    // Without its application the loop never runs again: nobody may wait for it.
    if (QCoreApplication* application = QCoreApplication::instance()) {
        QObject::connect(application, &QObject::destroyed, context_.get(),
                         [shared = shared_] { shared->Shutdown(); });
    }
}

QtMainThread::~QtMainThread() {
    Shutdown();
}

bool QtMainThread::Enqueue(const std::shared_ptr<Entry>& entry) {
    // Called with shared_->mutex held, so no event is posted after a shut-down.
    if (shared_->shutDown) {
        return false;
    }
    shared_->queue.push_back(entry);
    QCoreApplication::postEvent(context_.get(), new QEvent(kEntryWaiting));
    return true;
}

void QtMainThread::Post(Task task) {
    auto entry = std::make_shared<Entry>();
    entry->task = std::move(task);
    const std::lock_guard lock(shared_->mutex);
    Enqueue(entry);
}

bool QtMainThread::Send(Task task) {
    if (IsCurrent()) {
        task();
        return true;
    }
    auto entry = std::make_shared<Entry>();
    entry->task = std::move(task);
    entry->synchronous = true;
    const std::shared_ptr<Shared> shared = shared_;
    std::unique_lock lock(shared->mutex);
    if (!Enqueue(entry)) {
        return false;
    }
    shared->changed.wait(lock, [&entry] { return entry->done; });
    return entry->ran;
}

// Long loops call this between any two steps, a hundred thousand times for a large list or
// tree, and each run of the event loop polls the system. So the loop runs at once when work of
// ours waits, and otherwise at most once per interval: the window still answers within it.
void QtMainThread::ProcessPending() {
    if (!IsCurrent()) {
        return;
    }
    bool oursWaiting = false;
    {
        const std::lock_guard lock(shared_->mutex);
        oursWaiting = !shared_->queue.empty();
    }
    const auto now = std::chrono::steady_clock::now();
    if (!oursWaiting && now - lastEventLoop_ < kEventLoopInterval) {
        return;
    }
    lastEventLoop_ = now;
    QCoreApplication::processEvents();
}

bool QtMainThread::IsCurrent() const {
    return QThread::currentThread() == owner_;
}

bool QtMainThread::WaitAndProcess(std::chrono::milliseconds timeout) {
    if (!IsCurrent()) {
        return false;
    }
    const std::uint64_t before = shared_->ranCount;
    QCoreApplication::processEvents();
    if (shared_->ranCount != before) {
        return true;
    }
    // The timer's own event ends the wait when nothing else comes.
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(timeout);
    while (shared_->ranCount == before && timer.isActive()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return shared_->ranCount != before;
}

void QtMainThread::Shutdown() {
    shared_->Shutdown();
}

void QtMainThread::Shared::Shutdown() {
    std::deque<std::shared_ptr<Entry>> dropped;
    {
        const std::lock_guard lock(mutex);
        shutDown = true;
        dropped.swap(queue);
        for (const std::shared_ptr<Entry>& entry : dropped) {
            entry->done = true;
        }
    }
    changed.notify_all();
}

}  // namespace quexa::ui
