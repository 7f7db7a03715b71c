#include "tasks/fast_info_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/plain_main_thread.h"
#include "core/result_list.h"
#include "scripted_prompter.h"
#include "tasks/coalesced_refresh.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using files::ResultFileHeader;
using quexa::testing::TempFolder;

void Save(const fs::path& path, std::string_view note) {
    core::ResultList list;
    ResultFileHeader header;
    header.mode = ResultFileHeader::kInternetMode;
    header.keywords = "tides";
    header.note = note;
    ASSERT_TRUE(files::WriteResultFile(path, list, header));
}

TEST(FastInfoReaderTest, TheHeaderIsReadOncePerVersionOfTheFile) {
    const TempFolder folder;
    const fs::path first = folder.File("first.qzr");
    const fs::path second = folder.File("second.qzr");
    Save(first, "one");
    Save(second, "two");
    FastInfoReader reader;
    TaskState state;
    state.currentFile = first.string();

    for (std::size_t count = 0; count < 100; ++count) {
        EXPECT_EQ(reader.Describe(state, count, "Ada").note, "one");
    }
    EXPECT_EQ(reader.headerReads(), 1U);

    // A save writes a new file over the old one.
    Save(first, "changed");
    EXPECT_EQ(reader.Describe(state, 0, "Ada").note, "changed");
    EXPECT_EQ(reader.headerReads(), 2U);

    state.currentFile = second.string();
    EXPECT_EQ(reader.Describe(state, 0, "Ada").note, "two");
    EXPECT_EQ(reader.headerReads(), 3U);

    fs::remove(second);
    const FastInfo gone = reader.Describe(state, 0, "Ada");
    EXPECT_EQ(gone.note, "");
    EXPECT_EQ(gone.author, "Ada");
    EXPECT_EQ(gone.path, second.string());

    state.currentFile.clear();
    EXPECT_EQ(reader.Describe(state, 3, "Ada").count, "3 Item(s)");
    EXPECT_EQ(reader.headerReads(), 3U);
}

class CoalescedRefreshTest : public ::testing::Test {
  protected:
    core::PlainMainThread mainThread_;
    int runs_ = 0;
    std::function<void()> duringRun_;
    std::unique_ptr<CoalescedRefresh> refresh_ = std::make_unique<CoalescedRefresh>(
        [this](CoalescedRefresh::Run run) { mainThread_.Post(std::move(run)); },
        [this] {
            ++runs_;
            if (duringRun_) {
                duringRun_();
            }
        });
};

TEST_F(CoalescedRefreshTest, ManyRequestsInOneTurnRefreshOnce) {
    for (int i = 0; i < 1000; ++i) {
        refresh_->Request();
    }
    EXPECT_EQ(runs_, 0);
    EXPECT_TRUE(refresh_->pending());
    mainThread_.ProcessPending();
    EXPECT_EQ(runs_, 1);
    EXPECT_FALSE(refresh_->pending());
    mainThread_.ProcessPending();
    EXPECT_EQ(runs_, 1);

    refresh_->Request();
    mainThread_.ProcessPending();
    EXPECT_EQ(runs_, 2);
}

TEST_F(CoalescedRefreshTest, ARequestDuringTheRefreshRunsOnceMore) {
    duringRun_ = [this] {
        if (runs_ == 1) {
            refresh_->Request();
        }
    };
    refresh_->Request();
    mainThread_.ProcessPending();
    mainThread_.ProcessPending();
    EXPECT_EQ(runs_, 2);
}

TEST_F(CoalescedRefreshTest, FlushRunsNowAndTheScheduledRunDoesNothing) {
    refresh_->Request();
    refresh_->Flush();
    EXPECT_EQ(runs_, 1);
    refresh_->Flush();
    mainThread_.ProcessPending();
    EXPECT_EQ(runs_, 1);
}

TEST_F(CoalescedRefreshTest, ARunAfterTheRefresherIsGoneDoesNothing) {
    refresh_->Request();
    refresh_.reset();
    mainThread_.ProcessPending();
    EXPECT_EQ(runs_, 0);
}

}  // namespace
}  // namespace quexa::tasks
