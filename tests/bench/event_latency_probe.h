#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <thread>

namespace quexa::bench {

// How long the user-interface thread takes to get to a newly posted event while it is busy
// with a stream of others: a thread of its own posts one event at a time, the next as soon as
// the last was handled, and keeps the longest wait. A timer that is due at every round of the
// loop (GapProbe) only fires when the queue runs dry, so it would count a loop that keeps up
// with a steady stream of worker messages as stalled.
class EventLatencyProbe {
  public:
    // Create and use on the user-interface thread.
    EventLatencyProbe() = default;
    ~EventLatencyProbe();
    EventLatencyProbe(const EventLatencyProbe&) = delete;
    EventLatencyProbe& operator=(const EventLatencyProbe&) = delete;

    void Start();
    // Seconds of the longest wait, an event still waiting included.
    double Stop();

  private:
    void Post();
    std::chrono::steady_clock::duration Waiting() const;

    QObject receiver_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> waiting_{false};
    std::atomic<std::chrono::steady_clock::rep> postedAt_{0};
    std::atomic<std::chrono::steady_clock::rep> longest_{0};
};

}  // namespace quexa::bench
