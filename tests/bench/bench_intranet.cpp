// The Intranet search over a generated tree of 200,000 files in 20,000 folders for "*.txt;*.md",
// against GNU find with the same patterns (-iname) and fd (all its threads) on the same tree.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/prompter.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "core/settings_table.h"
#include "file_tree.h"
#include "null_prompter.h"
#include "null_task_host.h"
#include "summary_reporter.h"
#include "tasks/task_control.h"
#include "tasks/task_host.h"

namespace {

namespace fs = std::filesystem;

using quexa::bench::FileTree;

const fs::path& Root() {
    return FileTree::Shared().Root();
}

void Search(benchmark::State& state, const char* patterns) {
    using namespace quexa;
    core::MemoryProfile profile;
    core::settings::kIntranetPatterns.Write(profile, patterns);
    core::settings::kLastSearchTarget.Write(profile, Root().string() + ";");
    core::SettingsCache cache;
    core::ResultList list;
    auto mainThread = std::make_shared<core::PlainMainThread>();
    quexa::testing::NullTaskHost host;
    quexa::testing::NullPrompter prompter;
    tasks::TaskControl control(
        tasks::TaskEnvironment{list, profile, cache, mainThread, host, prompter});
    std::size_t items = 0;
    for (auto _ : state) {
        if (!control.RunIntranetSearch()) {
            state.SkipWithError("search did not run");
            return;
        }
        items = list.Count();
    }
    state.counters["items"] = static_cast<double>(items);
}

void Command(benchmark::State& state, const std::string& command) {
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            return;
        }
    }
}

void Find(benchmark::State& state) {
    Command(state, "find '" + Root().string() +
                       "' -mindepth 1 \\( -iname '*.txt' -o -iname '*.md' \\) > /dev/null");
}

void Fd(benchmark::State& state) {
    if (std::system("command -v fdfind > /dev/null") != 0) {
        state.SkipWithError("fdfind is not installed (package fd-find)");
        return;
    }
    Command(state, "fdfind -u -i -g '*.{txt,md}' . '" + Root().string() + "' > /dev/null");
}

void Quexa(benchmark::State& state) {
    Search(state, FileTree::kPatterns);
}

// The walk alone: a pattern that matches nothing, so no file is described or listed.
void QuexaWalk(benchmark::State& state) {
    Search(state, "*.none");
}

// Each contender's median of several runs: one run of a few hundred milliseconds is at the
// mercy of whatever else the machine does.
BENCHMARK(Quexa)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(QuexaWalk)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(Find)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(Fd)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::fprintf(stderr, "tree: %d files in %d folders below %s\n", FileTree::kFiles,
                 FileTree::kFolders, Root().c_str());
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double quexa = reporter.Seconds("Quexa/real_time_median");
    const double find = reporter.Seconds("Find/real_time_median");
    const double fd = reporter.Seconds("Fd/real_time_median");
    const double walk = reporter.Seconds("QuexaWalk/real_time_median");
    if (quexa > 0 && find > 0) {
        std::printf("ratio find/quexa: %.2f (goal > 1: faster than find)\n", find / quexa);
    }
    if (quexa > 0 && fd > 0) {
        std::printf("ratio quexa/fd: %.2f (goal <= 2)\n", quexa / fd);
    }
    if (walk > 0 && find > 0) {
        std::printf("ratio find/quexa walk without matches: %.2f\n", find / walk);
    }
    return 0;
}
