#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace quexa::bench {

// Prints as the console reporter does and keeps each run's real time per iteration, so a
// benchmark can print its ratio line from figures measured in the same run.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal, so that the ratio lines can be found with grep.
    SummaryReporter();
    void ReportRuns(const std::vector<Run>& runs) override;
    // Seconds per iteration of the named run, 0 when it did not run.
    double Seconds(const std::string& name) const;

  private:
    std::map<std::string, double> seconds_;
};

}  // namespace quexa::bench
