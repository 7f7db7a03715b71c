#include "event_latency_probe.h"

#include <algorithm>

namespace quexa::bench {

using Clock = std::chrono::steady_clock;

EventLatencyProbe::~EventLatencyProbe() {
    Stop();
}

void EventLatencyProbe::Start() {
    longest_ = 0;
    waiting_ = false;
    running_ = true;
    thread_ = std::thread([this] {
        while (running_) {
            if (!waiting_) {
                Post();
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
}

void EventLatencyProbe::Post() {
    waiting_ = true;
    postedAt_ = Clock::now().time_since_epoch().count();
    QMetaObject::invokeMethod(
        &receiver_,
        [this] {
            longest_ = std::max(longest_.load(), Waiting().count());
            waiting_ = false;
        },
        Qt::QueuedConnection);
}

Clock::duration EventLatencyProbe::Waiting() const {
    return Clock::now().time_since_epoch() - Clock::duration(postedAt_.load());
}

double EventLatencyProbe::Stop() {
    if (!running_.exchange(false)) {
        return std::chrono::duration<double>(Clock::duration(longest_.load())).count();
    }
    thread_.join();
    Clock::rep longest = longest_.load();
    if (waiting_) {
        longest = std::max(longest, Waiting().count());
    }
    longest_ = longest;
    return std::chrono::duration<double>(Clock::duration(longest)).count();
}

}  // namespace quexa::bench
