#include "summary_reporter.h"

#include <unistd.h>

namespace quexa::bench {

SummaryReporter::SummaryReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_Defaults : OO_Tabular) {}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        // Looked up by function and arguments only: a benchmark's own minimum time and number
        // of repetitions are no part of what it measures.
        benchmark::BenchmarkName name = run.run_name;
        name.min_time.clear();
        name.repetitions.clear();
        seconds_[name.str() + (run.run_type == Run::RT_Aggregate ? "_" + run.aggregate_name : "")] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
}

double SummaryReporter::Seconds(const std::string& name) const {
    const auto found = seconds_.find(name);
    return found == seconds_.end() ? 0 : found->second;
}

}  // namespace quexa::bench
