#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace quexa::core {

// Values handed from one thread that makes them to one that takes them, at most capacity
// waiting at a time. The giver ends with Finish; the taker may Stop the giver early. A wake-up
// costs a system call, so only a side that sleeps gets one.
template <typename T>
class HandOffQueue {
  public:
    explicit HandOffQueue(std::size_t capacity) : capacity_(capacity) {}
    HandOffQueue(const HandOffQueue&) = delete;
    HandOffQueue& operator=(const HandOffQueue&) = delete;

    // Waits for room. False, and the value dropped, once the taker has stopped.
    bool Push(T value) {
        std::unique_lock lock(mutex_);
        giverWaiting_ = true;
        changed_.wait(lock, [this] { return values_.size() < capacity_ || stopped_; });
        giverWaiting_ = false;
        if (stopped_) {
            return false;
        }
        values_.push_back(std::move(value));
        const bool wake = takerWaiting_;
        lock.unlock();
        if (wake) {
            changed_.notify_all();
        }
        return true;
    }

    // Waits for a value; nothing once the giver has finished and every value is taken.
    std::optional<T> Pop() {
        std::unique_lock lock(mutex_);
        takerWaiting_ = true;
        changed_.wait(lock, [this] { return !values_.empty() || finished_; });
        takerWaiting_ = false;
        if (values_.empty()) {
            return std::nullopt;
        }
        std::optional<T> value(std::move(values_.front()));
        values_.pop_front();
        const bool wake = giverWaiting_;
        lock.unlock();
        if (wake) {
            changed_.notify_all();
        }
        return value;
    }

    // The giver has no more values.
    void Finish() {
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
        }
        changed_.notify_all();
    }

    // The taker wants no more values: a waiting giver is released. Returns what was waiting.
    std::deque<T> Stop() {
        std::deque<T> left;
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
            left.swap(values_);
        }
        changed_.notify_all();
        return left;
    }

    // True when the giver finished within the time.
    bool WaitFinished(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return finished_; });
    }

    bool Stopped() const {
        const std::lock_guard lock(mutex_);
        return stopped_;
    }

    std::size_t Size() const {
        const std::lock_guard lock(mutex_);
        return values_.size();
    }

  private:
    const std::size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<T> values_;
    bool finished_ = false;
    bool stopped_ = false;
    bool takerWaiting_ = false;
    bool giverWaiting_ = false;
};

}  // namespace quexa::core
