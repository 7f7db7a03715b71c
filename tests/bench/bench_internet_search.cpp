// An Internet search through the real task layer against 12 farm engines of 5 pages each, every
// page 100 ms late, with the most workers at once ("LineType" 5) and the fewest ("LineType" 0).
// Its anchor is the time the latency alone needs at that thread limit: the pages of one engine
// one after another, the engines in waves of the limit.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "summary_reporter.h"
#include "task_fixture.h"
#include "tasks/worker_slots.h"

namespace {

namespace settings = quexa::core::settings;
using Clock = std::chrono::steady_clock;

constexpr int kEngines = 12;
constexpr int kPages = 5;
// Two items a page: the system scheme's 10 results per engine take exactly the 5 pages.
constexpr int kItemsPerPage = 2;
constexpr std::chrono::milliseconds kPageLatency{100};
constexpr double kGoal = 1.15;

struct Figures {
    double best = 0;
    double ideal = 0;
};
std::map<int, Figures> figures;  // by "LineType"

double IdealSeconds(int lineType) {
    const int limit = quexa::tasks::WorkerSlots::ThreadLimit(lineType);
    const int waves = (kEngines + limit - 1) / limit;
    return waves * kPages * std::chrono::duration<double>(kPageLatency).count();
}

void Search(benchmark::State& state, int lineType) {
    quexa::testing::TaskFixture rig;
    std::vector<quexa::demo::FakeEngine> engines;
    for (int i = 1; i <= kEngines; ++i) {
        engines.push_back(quexa::demo::FakeEngine::Bench(i, kPages, kItemsPerPage));
    }
    rig.UseCategory("Bench", engines);
    settings::kLineType.Write(rig.profile, lineType);
    settings::kInternetKeywords.Write(rig.profile, "tidal lantern");
    rig.farm.SetEngineLatency(kPageLatency);
    Figures& mine = figures[lineType];
    mine.ideal = IdealSeconds(lineType);
    for (auto _ : state) {
        rig.farm.ResetCounters();
        const Clock::time_point start = Clock::now();
        if (!rig.control->RunInternetSearch() || !rig.RunToIdle(std::chrono::minutes(1), false)) {
            state.SkipWithError("the search did not start or did not end");
            return;
        }
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        rig.RunToIdle(std::chrono::seconds(10));
        const std::size_t pages = rig.farm.RequestCountUnder("/engine/");
        if (rig.list.Count() != kEngines * kPages * kItemsPerPage || pages != kEngines * kPages) {
            state.SkipWithError("the search took the wrong items or pages");
            return;
        }
        mine.best = mine.best == 0 ? took : std::min(mine.best, took);
    }
}

BENCHMARK_CAPTURE(Search, linetype5, 5)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, linetype0, 0)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& [lineType, run] : figures) {
        if (run.best <= 0) {
            continue;  // filtered out or failed
        }
        std::printf(
            "ratio search/ideal LineType %d (%d workers): %.3f (goal <= %.2f); best %.3f s, "
            "ideal %.3f s\n",
            lineType, quexa::tasks::WorkerSlots::ThreadLimit(lineType), run.best / run.ideal, kGoal,
            run.best, run.ideal);
    }
    return 0;
}
