#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

#include "core/result_list.h"
#include "result_item_maker.h"

namespace {

constexpr std::size_t kRows = 1'000'000;
constexpr std::array<std::size_t, 2> kSizes{kRows, 2 * kRows};
// Best thread CPU seconds per size, in the order of kSizes.
std::array<double, 2> bestSeconds{};

// Every second row is selected.
quexa::core::ResultList MakeList(std::size_t rows) {
    std::vector<quexa::core::ResultItem> items = quexa::bench::MakeResultItems(rows);
    quexa::core::ResultList list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].selected = i % 2 == 0;
        list.AddItem(static_cast<std::ptrdiff_t>(i), std::move(items[i]));
    }
    return list;
}

double TimeDeleteSelected(std::size_t rows) {
    quexa::core::ResultList list = MakeList(rows);
    const double start = quexa::bench::ThreadSeconds();
    const std::size_t deleted = list.DeleteSelected();
    const double took = quexa::bench::ThreadSeconds() - start;
    benchmark::DoNotOptimize(deleted);
    return took;
}

// Each round deletes at both sizes, so a change in the machine's load hits both alike.
void DeleteSelected(benchmark::State& state) {
    for (auto _ : state) {
        double round = 0;
        for (std::size_t i = 0; i < kSizes.size(); ++i) {
            const double took = TimeDeleteSelected(kSizes[i]);
            bestSeconds[i] = bestSeconds[i] == 0 ? took : std::min(bestSeconds[i], took);
            round += took;
        }
        state.SetIterationTime(round);
    }
    state.SetItemsProcessed(
        static_cast<std::int64_t>(state.iterations() * (kRows + 2 * kRows) / 2));
    state.SetLabel("half of 1,000,000 rows, then half of 2,000,000");
}
BENCHMARK(DeleteSelected)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    quexa::bench::KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (bestSeconds[0] <= 0 || bestSeconds[1] <= 0) {
        std::printf("ratio delete_selected: n/a (not run)\n");
        return 0;
    }
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        std::printf("delete_selected: %.0f items/s (%zu of %zu rows deleted)\n",
                    static_cast<double>(kSizes[i] / 2) / bestSeconds[i], kSizes[i] / 2, kSizes[i]);
    }
    std::printf("ratio delete_selected: %.2f (goal <= 2: time at %zu rows over time at %zu)\n",
                bestSeconds[1] / bestSeconds[0], kSizes[1], kSizes[0]);
    return 0;
}
