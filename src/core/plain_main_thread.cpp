#include "core/plain_main_thread.h"

#include <utility>

namespace quexa::core {

struct PlainMainThread::Entry {
    Task task;
    bool synchronous = false;
    bool done = false;
    bool ran = false;
};

PlainMainThread::PlainMainThread() : owner_(std::this_thread::get_id()) {}

PlainMainThread::~PlainMainThread() {
    Shutdown();
}

void PlainMainThread::Post(Task task) {
    auto entry = std::make_shared<Entry>();
    entry->task = std::move(task);
    {
        const std::lock_guard lock(mutex_);
        if (shutDown_) {
            return;
        }
        queue_.push_back(std::move(entry));
    }
    changed_.notify_all();
}

bool PlainMainThread::Send(Task task) {
    if (IsCurrent()) {
        task();
        return true;
    }
    auto entry = std::make_shared<Entry>();
    entry->task = std::move(task);
    entry->synchronous = true;
    std::unique_lock lock(mutex_);
    if (shutDown_) {
        return false;
    }
    queue_.push_back(entry);
    changed_.notify_all();
    changed_.wait(lock, [&entry] { return entry->done; });
    return entry->ran;
}

void PlainMainThread::ProcessPending() {
    // Long loops call this between any two steps: with nothing queued it must cost no more
    // than the lock (an empty deque still allocates).
    std::unique_lock taking(mutex_);
    if (queue_.empty()) {
        return;
    }
    std::deque<std::shared_ptr<Entry>> batch;
    batch.swap(queue_);
    taking.unlock();
    for (const std::shared_ptr<Entry>& entry : batch) {
        entry->task();
        if (entry->synchronous) {
            {
                const std::lock_guard lock(mutex_);
                entry->ran = true;
                entry->done = true;
            }
            changed_.notify_all();
        }
    }
}

bool PlainMainThread::IsCurrent() const {
    return std::this_thread::get_id() == owner_;
}

bool PlainMainThread::WaitAndProcess(std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, timeout, [this] { return !queue_.empty() || shutDown_; }) ||
            queue_.empty()) {
            return false;
        }
    }
    ProcessPending();
    return true;
}

void PlainMainThread::Shutdown() {
    std::deque<std::shared_ptr<Entry>> dropped;
    {
        const std::lock_guard lock(mutex_);
        shutDown_ = true;
        dropped.swap(queue_);
        for (const std::shared_ptr<Entry>& entry : dropped) {
            entry->done = true;
        }
    }
    changed_.notify_all();
}

}  // namespace quexa::core
