#include "gap_probe.h"

#include <algorithm>

namespace quexa::bench {

void GapProbe::Start() {
    last_ = std::chrono::steady_clock::now();
    longest_ = 0;
    timer_.start(0, this);
}

double GapProbe::Stop() {
    timerEvent(nullptr);
    timer_.stop();
    return longest_;
}

void GapProbe::timerEvent(QTimerEvent* /*event*/) {
    const auto now = std::chrono::steady_clock::now();
    longest_ = std::max(longest_, std::chrono::duration<double>(now - last_).count());
    last_ = now;
}

}  // namespace quexa::bench
