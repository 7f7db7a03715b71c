// The file manager on big folders: expanding a folder of 10,000 result files (each opened for
// its picture) against listing it and reading each header with plain reads, and copying a
// folder of 1,000 result files with the wait window against cp -r.
#include <QApplication>
#include <QTreeWidgetItem>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "core/wait_state.h"
#include "files/container_header.h"
#include "files/result_folder_change.h"
#include "result_file_maker.h"
#include "summary_reporter.h"
#include "temp_folder.h"
#include "ui/file_manager/result_tree_widget.h"
#include "ui/wait_window.h"

namespace {

namespace fs = std::filesystem;
using namespace quexa;

constexpr int kExpandFiles = 10'000;
constexpr int kCopyFiles = 1'000;

// Data/Internet/big with the files to expand, Data/MyFav/copy with the files to copy.
struct Folders {
    Folders() {
        fs::create_directories(big());
        fs::create_directories(copy());
        for (int i = 0; i < kExpandFiles; ++i) {
            testing::MakeResultFile(
                big() / ("list " + std::to_string(i) + ".qzr"),
                i % 10 == 0 ? files::FilePicture::Protected : files::FilePicture::Valid);
        }
        for (int i = 0; i < kCopyFiles; ++i) {
            fs::copy_file(big() / ("list " + std::to_string(i) + ".qzr"),
                          copy() / ("list " + std::to_string(i) + ".qzr"));
        }
    }
    fs::path big() const { return home.File("Data/Internet/big"); }
    fs::path copy() const { return home.File("Data/MyFav/copy"); }
    fs::path target() const { return home.File("target"); }

    testing::TempFolder home;
};

Folders& TheFolders() {
    static Folders folders;
    return folders;
}

void Expand(benchmark::State& state) {
    ui::ResultTreeWidget tree(TheFolders().home.Path());
    QTreeWidgetItem* internet = tree.Root()->child(0);
    internet->setExpanded(true);
    QTreeWidgetItem* big = internet->child(0);
    for (auto _ : state) {
        big->setExpanded(true);
        benchmark::DoNotOptimize(big->childCount());
        state.PauseTiming();
        big->setExpanded(false);
        state.ResumeTiming();
    }
    big->setExpanded(true);
    if (big->childCount() != kExpandFiles) {
        state.SkipWithError("not every file was listed");
    }
}

// What expanding must do at the least: list the folder and read each file's header.
void PlainHeaders(benchmark::State& state) {
    files::ContainerHeader header;
    for (auto _ : state) {
        std::size_t read = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(TheFolders().big())) {
            const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
            read += static_cast<std::size_t>(
                ::read(fd, header.RawBytes().data(), header.RawBytes().size()));
            ::close(fd);
        }
        benchmark::DoNotOptimize(read);
    }
}

void CopyWithWaitWindow(benchmark::State& state) {
    core::WaitState wait;
    ui::WaitWindow window(wait);
    const files::FileProgress progress{&wait, [] { QCoreApplication::processEvents(); }};
    fs::create_directories(TheFolders().target());
    for (auto _ : state) {
        const auto outcome = files::ResultFolderChange::Transfer(
            TheFolders().copy(), TheFolders().target(), false, progress);
        state.PauseTiming();
        if (outcome != files::ResultFolderChange::Outcome::Done) {
            state.SkipWithError("the copy failed");
        }
        fs::remove_all(TheFolders().target() / "copy");
        state.ResumeTiming();
    }
}

void CpDashR(benchmark::State& state) {
    fs::create_directories(TheFolders().target());
    const std::string command =
        "cp -r '" + TheFolders().copy().string() + "' '" + TheFolders().target().string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("cp failed");
        }
        state.PauseTiming();
        fs::remove_all(TheFolders().target() / "copy");
        state.ResumeTiming();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Medians of several runs: one run is at the mercy of whatever else the machine does.
    for (const auto& [name, run] : {std::pair{"Expand", &Expand},
                                    {"PlainHeaders", &PlainHeaders},
                                    {"CopyWithWaitWindow", &CopyWithWaitWindow},
                                    {"CpDashR", &CpDashR}}) {
        benchmark::RegisterBenchmark(name, run)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double expand = reporter.Seconds("Expand/real_time_median");
    const double plain = reporter.Seconds("PlainHeaders/real_time_median");
    const double copy = reporter.Seconds("CopyWithWaitWindow/real_time_median");
    const double cp = reporter.Seconds("CpDashR/real_time_median");
    if (expand > 0 && plain > 0) {
        std::printf("ratio expand/plain headers: %.2f (goal <= 2)\n", expand / plain);
    }
    if (copy > 0 && cp > 0) {
        std::printf("ratio copy/cp -r: %.2f (goal <= 1.5)\n", copy / cp);
    }
    return 0;
}
