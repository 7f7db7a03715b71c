#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/result_list.h"
#include "result_item_maker.h"

namespace {

constexpr std::size_t kItems = 1'000'000;
constexpr double kGoalItemsPerSecond = 1'000'000.0;
// Thread CPU seconds of each run, the first one on memory the process never touched before.
std::vector<double> runSeconds;

void AddItems(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<quexa::core::ResultItem> items = quexa::bench::MakeResultItems(kItems);
        quexa::core::ResultList list;
        const double start = quexa::bench::ThreadSeconds();
        for (quexa::core::ResultItem& item : items) {
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
        }
        const double took = quexa::bench::ThreadSeconds() - start;
        state.SetIterationTime(took);
        runSeconds.push_back(took);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kItems));
}
BENCHMARK(AddItems)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    quexa::bench::KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (runSeconds.size() < 2) {
        std::printf("ratio add_items: n/a (not run)\n");
        return 0;
    }
    const double cold = static_cast<double>(kItems) / runSeconds.front();
    const double warm =
        static_cast<double>(kItems) / *std::min_element(runSeconds.begin() + 1, runSeconds.end());
    std::printf(
        "add_items: %.0f items/s on reused memory, %.0f items/s on fresh memory "
        "(1,000,000 items, a quarter of them duplicates)\n",
        warm, cold);
    std::printf("ratio add_items: %.2f (goal >= 1: items/s over 1,000,000 items/s)\n",
                warm / kGoalItemsPerSecond);
    return 0;
}
