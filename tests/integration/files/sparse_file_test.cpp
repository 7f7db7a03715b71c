// A result file whose header claims a huge count, padded with a sparse hole: the loader's memory
// follows the items it keeps, not the count or the file's size.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "child_process.h"
#include "core/result_list.h"
#include "files/container_header.h"
#include "files/result_file.h"
#include "null_prompter.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uintmax_t kSparseSize = std::uintmax_t{100} << 30;  // 100 GiB
// What quexa-cli may use while it loads, sanitizers included.
constexpr std::size_t kMemoryBoundKiB = 256 * 1024;
constexpr auto kWatchTime = std::chrono::seconds(3);

// One item, a header stating 4,294,967,295 records, then a hole up to the size.
void WriteSparseFile(const fs::path& path) {
    core::ResultList list;
    core::ResultItem item;
    item.title = "Only";
    item.location = "http://only/";
    list.AddItem(0, std::move(item));
    ASSERT_TRUE(files::WriteResultFile(path, list, {}));
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    files::ContainerHeader header;
    file.read(header.RawBytes().data(), static_cast<std::streamsize>(header.RawBytes().size()));
    header.SetRecordCount(0xFFFFFFFF);
    file.seekp(0);
    file.write(header.RawBytes().data(), static_cast<std::streamsize>(header.RawBytes().size()));
    file.close();
    fs::resize_file(path, kSparseSize);
}

// The most memory the process has held so far, from /proc; 0 once it is gone.
std::size_t PeakKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stoul(line.substr(6));
        }
    }
    return 0;
}

// AddressSanitizer keeps freed memory aside for a while; that is not the loader's.
std::string SanitizerOptions() {
    const char* own = std::getenv("ASAN_OPTIONS");
    return "ASAN_OPTIONS=" + std::string(own != nullptr ? own : "") +
           (own != nullptr && *own != '\0' ? ":" : "") + "quarantine_size_mb=0";
}

TEST(SparseResultFileTest, MemoryStaysBoundedWhileItsRecordsAreRead) {
    quexa::testing::TempFolder home;
    const fs::path path = home.Path() / "sparse.qzr";
    WriteSparseFile(path);
    ASSERT_EQ(fs::file_size(path), kSparseSize);

    ChildProcess child(QUEXA_CLI_PATH,
                       {"--home", home.Path().string(), "--settings",
                        home.File("settings.conf").string(), "show", path.string()},
                       {SanitizerOptions()}, home.File("out.txt").string(),
                       home.File("err.txt").string());
    std::size_t peak = 0;
    const auto until = Clock::now() + kWatchTime;
    while (child.Running() && Clock::now() < until) {
        peak = std::max(peak, PeakKiB(child.pid()));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Reading 100 GiB of records takes long: a child still reading is as it should be.
    const bool reading = child.Running();
    child.Terminate();
    const int exitCode = child.Wait();
    EXPECT_TRUE(reading || exitCode == 0)
        << "exit " << exitCode << ": " << ReadWholeFile(home.File("err.txt").string());
    EXPECT_GT(peak, 0U);
    EXPECT_LT(peak, kMemoryBoundKiB) << "KiB at most";
}

}  // namespace
}  // namespace quexa::test
