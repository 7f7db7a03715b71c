#pragma once

#include <chrono>
#include <vector>

namespace quexa::bench {

using Clock = std::chrono::steady_clock;

// Seconds since start.
double Since(Clock::time_point start);
// The middle one of the measured values; 0 for none.
double Median(std::vector<double> values);

}  // namespace quexa::bench
