// Saving and loading a result list of 100,000 items against writing and reading a file of the
// same size with plain system calls.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/result_list.h"
#include "files/result_file.h"
#include "result_item_maker.h"
#include "summary_reporter.h"

namespace {

namespace fs = std::filesystem;
namespace files = quexa::files;

constexpr std::size_t kItems = 100'000;
constexpr std::size_t kFileSize = files::kHeaderSize + kItems * files::kRecordSize;
constexpr std::size_t kChunk = 1 << 20;
constexpr double kGoal = 3.0;

// A folder of its own beside the system's temporary files, gone when the program ends.
class Folder {
  public:
    Folder()
        : path_(fs::temp_directory_path() /
                ("quexa_bench_result_file_" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    fs::path File(const char* name) const { return path_ / name; }

  private:
    fs::path path_;
};

const Folder& Place() {
    static const Folder folder;
    return folder;
}

// Items shaped like a search's, every text of a typical length.
const quexa::core::ResultList& List() {
    static const quexa::core::ResultList list = [] {
        quexa::core::ResultList made;
        for (std::size_t i = 0; i < kItems; ++i) {
            quexa::core::ResultItem item;
            item.title = "Result number " + std::to_string(i) + " about solar wind and magnetism";
            item.location =
                "https://www.example.org/articles/solar-wind/" + std::to_string(i) + "/index.html";
            item.searchTarget = "Wikipedia";
            item.preview = std::string(140, 'p') + std::to_string(i);
            item.status = static_cast<quexa::core::StatusCode>(3 + i % 4);
            made.AddItem(static_cast<std::ptrdiff_t>(made.Count()), std::move(item));
        }
        return made;
    }();
    return list;
}

void SaveResultFile(benchmark::State& state) {
    const fs::path path = Place().File("saved.qzr");
    const files::ResultFileHeader header;
    for (auto _ : state) {
        if (!files::WriteResultFile(path, List(), header)) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(SaveResultFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void LoadResultFile(benchmark::State& state) {
    const fs::path path = Place().File("saved.qzr");
    files::WriteResultFile(path, List(), {});
    for (auto _ : state) {
        quexa::core::ResultList list;
        if (!files::LoadResultFile(path, list, {}).Loaded() || list.Count() != kItems) {
            state.SkipWithError("load failed");
        }
        benchmark::DoNotOptimize(list.Count());
        // Freeing the list is not part of a load.
        state.PauseTiming();
        list = quexa::core::ResultList();
        state.ResumeTiming();
    }
}
// Loading and reading are short and this kind of machine is noisy: their ratio compares the
// medians of several runs.
BENCHMARK(LoadResultFile)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// The same number of bytes in 1 MiB writes, made as durable as a save makes its file.
void PlainWrite(benchmark::State& state) {
    const fs::path path = Place().File("plain.bin");
    const std::vector<char> chunk(kChunk, 'x');
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        for (std::size_t left = kFileSize; left > 0;) {
            const std::size_t size = std::min(left, kChunk);
            if (::write(fd, chunk.data(), size) != static_cast<ssize_t>(size)) {
                state.SkipWithError("write failed");
                break;
            }
            left -= size;
        }
        ::fdatasync(fd);
        ::close(fd);
    }
}
BENCHMARK(PlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

void PlainRead(benchmark::State& state) {
    const fs::path path = Place().File("saved.qzr");
    files::WriteResultFile(path, List(), {});
    std::vector<char> buffer(kFileSize);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        std::size_t got = 0;
        for (ssize_t n = 1; n > 0 && got < buffer.size(); got += static_cast<std::size_t>(n)) {
            n = ::read(fd, buffer.data() + got, std::min(kChunk, buffer.size() - got));
            if (n <= 0) {
                break;
            }
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(PlainRead)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// Where a load's time goes: the records read and decoded without a list, and the decoded items
// added to a list.
void DecodeRecords(benchmark::State& state) {
    std::vector<files::Record> records(kItems);
    for (std::size_t i = 0; i < kItems; ++i) {
        records[i] = files::EncodeRecord(List().Item(i));
    }
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (files::Record record : records) {
            files::Scramble(record, files::DefaultKey());
            bytes += files::DecodeRecord(record).location.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(DecodeRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

void AddDecodedItems(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<quexa::core::ResultItem> items(List().Count());
        for (std::size_t i = 0; i < items.size(); ++i) {
            items[i] = List().Item(i);
        }
        state.ResumeTiming();
        quexa::core::ResultList list;
        list.Reserve(items.size());
        for (quexa::core::ResultItem& item : items) {
            list.AddUnlistedItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
        }
        benchmark::DoNotOptimize(list.Count());
        state.PauseTiming();
        list = quexa::core::ResultList();
        items.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(AddDecodedItems)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // As the list benchmarks do: freed memory stays for reuse, so that page faults of memory
    // the process never touched before do not hide the work itself.
    quexa::bench::KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    List();
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double save = reporter.Seconds("SaveResultFile/real_time");
    const double load = reporter.Seconds("LoadResultFile/real_time_median");
    const double write = reporter.Seconds("PlainWrite/real_time");
    const double read = reporter.Seconds("PlainRead/real_time_median");
    if (save <= 0 || load <= 0 || write <= 0 || read <= 0) {
        return 0;  // filtered out
    }
    std::printf(
        "result file of 100,000 items (%.1f MB): save %.0f ms, plain write %.0f ms; load %.1f "
        "ms, plain read %.1f ms (medians)\n",
        static_cast<double>(kFileSize) / 1e6, save * 1e3, write * 1e3, load * 1e3, read * 1e3);
    std::printf("of the load: reading and decoding the records %.0f ms, adding the items %.0f ms\n",
                reporter.Seconds("DecodeRecords/real_time") * 1e3,
                reporter.Seconds("AddDecodedItems/real_time") * 1e3);
    std::printf("ratio result_file save/write: %.2f, load/read: %.2f (goal <= %.0f each)\n",
                save / write, load / read, kGoal);
    return 0;
}
