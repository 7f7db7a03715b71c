// Big result lists. Sort: 1,000,000 rows by Title through the task control, as a click on the
// header runs it, with the plain user-interface queue: the longest time the thread went without
// handling its events, anchored on the same sort on the calling thread (how long the window
// would freeze without the sorting thread). Answers: 1,000 verification answers that each
// delete their row, spread over the list: finding the rows on 1,000,000 rows against 10,000,
// and the deletions in all, anchored on deleting the same rows in one pass. Real answers come a
// network round trip apart, with the window's work between them, so each finds the caches
// filled with other memory; the figures with warm caches are printed beside. The ratio compares
// the median answer of every round, which other work on a shared machine moves least.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_clock.h"
#include "list_rig.h"
#include "result_item_maker.h"
#include "summary_reporter.h"

namespace {

using quexa::bench::Clock;
using quexa::bench::ListRig;
using quexa::bench::Median;
using quexa::core::ResultCell;

constexpr std::size_t kSortRows = 1'000'000;
constexpr std::size_t kAnswers = 1000;
constexpr std::size_t kBigList = 1'000'000;
constexpr std::size_t kSmallList = 10'000;
constexpr double kGapGoal = 0.100;
constexpr double kFindGoal = 1.3;
constexpr double kEraseGoal = 1.0;

struct Figures {
    double longestGap = 0;  // the worst of every sort
    std::size_t rounds = 0;
    double threadedSort = 0;  // best
    double callingSort = 0;   // best
    double findBig = 0;       // best, per list length, cold caches
    double findSmall = 0;
    std::vector<double> answersBig;  // each cold answer's find
    std::vector<double> answersSmall;
    double warmBig = 0;
    double warmSmall = 0;
    double eraseOneByOne = 0;
    double eraseOnePass = 0;
} figures;

double Best(double current, double took) {
    return current == 0 ? took : std::min(current, took);
}

ListRig& SortRig() {
    static ListRig rig;
    if (rig.list.Count() != kSortRows) {
        rig.Fill(kSortRows);
    }
    return rig;
}

// Each round sorts the other way, so that no round meets rows sorted already.
void SortByTitle(benchmark::State& state) {
    ListRig& rig = SortRig();
    bool descending = false;
    for (auto _ : state) {
        rig.mainThread->Start();
        const Clock::time_point start = Clock::now();
        const bool sorted = rig.control->SortList({ResultCell::Title, descending}).sorted;
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        rig.mainThread->Stop();
        if (!sorted) {
            state.SkipWithError("the sort was refused");
            return;
        }
        state.SetIterationTime(took);
        figures.longestGap = std::max(figures.longestGap, rig.mainThread->LongestGap().count());
        figures.rounds = rig.mainThread->Rounds();
        figures.threadedSort = Best(figures.threadedSort, took);
        descending = !descending;
    }
}
BENCHMARK(SortByTitle)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

void SortOnTheCallingThread(benchmark::State& state) {
    ListRig& rig = SortRig();
    bool descending = false;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        rig.list.Sort(ResultCell::Title, descending);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        figures.callingSort = Best(figures.callingSort, took);
        descending = !descending;
    }
}
BENCHMARK(SortOnTheCallingThread)->UseManualTime()->Iterations(4)->Unit(benchmark::kMillisecond);

void Fill(quexa::core::ResultList& list, std::size_t rows) {
    list.DeleteAll();
    std::vector<quexa::core::ResultItem> items = quexa::bench::MakeResultItems(rows);
    list.AppendItems(items);
}

void Answers(benchmark::State& state, std::size_t rows, bool cold) {
    quexa::core::ResultList list;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(list, rows);
        const std::vector<quexa::bench::HandedRow> handed =
            quexa::bench::SpreadRows(list, kAnswers);
        state.ResumeTiming();
        const quexa::bench::AnswerTimes times = quexa::bench::AnswerEach(list, handed, cold);
        state.SetIterationTime(times.find + times.erase);
        const bool big = rows == kBigList;
        double& find = cold ? (big ? figures.findBig : figures.findSmall)
                            : (big ? figures.warmBig : figures.warmSmall);
        find = Best(find, times.find);
        if (cold) {
            std::vector<double>& answers = big ? figures.answersBig : figures.answersSmall;
            answers.insert(answers.end(), times.finds.begin(), times.finds.end());
        }
        if (big && cold) {
            figures.eraseOneByOne = Best(figures.eraseOneByOne, times.erase);
        }
    }
}
BENCHMARK_CAPTURE(Answers, big_list, kBigList, true)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Answers, small_list, kSmallList, true)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Answers, big_list_warm, kBigList, false)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Answers, small_list_warm, kSmallList, false)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void DeleteInOnePass(benchmark::State& state) {
    quexa::core::ResultList list;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(list, kBigList);
        std::vector<quexa::core::ResultList::RowId> ids;
        for (const quexa::bench::HandedRow& handed : quexa::bench::SpreadRows(list, kAnswers)) {
            ids.push_back(handed.id);
        }
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(list.DeleteVerifiedItems(ids));
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        figures.eraseOnePass = Best(figures.eraseOnePass, took);
    }
}
BENCHMARK(DeleteInOnePass)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    quexa::bench::KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (figures.longestGap > 0 && figures.callingSort > 0) {
        std::printf(
            "ratio longest time without events / sort on the calling thread, %zu rows by Title: "
            "%.3f (goal: longest time < %.0f ms); longest %.1f ms over %zu rounds, sort with its "
            "thread %.0f ms, on the calling thread %.0f ms\n",
            kSortRows, figures.longestGap / figures.callingSort, kGapGoal * 1000,
            figures.longestGap * 1000, figures.rounds, figures.threadedSort * 1000,
            figures.callingSort * 1000);
    }
    const double medianBig = Median(figures.answersBig);
    const double medianSmall = Median(figures.answersSmall);
    if (medianBig > 0 && medianSmall > 0) {
        std::printf(
            "ratio finding an answer's row, median, %zu rows / %zu rows: %.3f (goal <= %.2f); "
            "%.2f us and %.2f us; %zu answers in all, best round %.1f us and %.1f us, with warm "
            "caches %.1f us and %.1f us\n",
            kBigList, kSmallList, medianBig / medianSmall, kFindGoal, medianBig * 1e6,
            medianSmall * 1e6, kAnswers, figures.findBig * 1e6, figures.findSmall * 1e6,
            figures.warmBig * 1e6, figures.warmSmall * 1e6);
    }
    if (figures.eraseOneByOne > 0 && figures.eraseOnePass > 0) {
        std::printf(
            "ratio %zu answers' deletions one by one / in one pass, %zu rows: %.3f (goal: one by "
            "one < %.1f s); %.3f s and %.3f s\n",
            kAnswers, kBigList, figures.eraseOneByOne / figures.eraseOnePass, kEraseGoal,
            figures.eraseOneByOne, figures.eraseOnePass);
    }
    return 0;
}
