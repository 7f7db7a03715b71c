// The verification task against the farm's result locations and real files.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/settings_table.h"
#include "task_fixture.h"

namespace quexa::test {
namespace {

namespace settings = core::settings;
using core::StatusCode;
using demo::LocationKind;

class VerificationTest : public ::testing::Test {
  protected:
    std::string Location(LocationKind kind, const std::string& id) {
        return fixture.farm.LocationUrl(kind, id);
    }
    bool Verify() { return fixture.control->VerifyResult(); }

    TaskFixture fixture;
};

// One verification of a single web item: its status, or its deletion, by answer and settings.
struct AnswerCase {
    std::string name;
    LocationKind kind;
    int deleteUnreachable;
    int deleteUnknown;
    bool deleted;
    StatusCode status;  // when kept
};

class AnswerTest : public VerificationTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerTest, RecordsTheStatusOrDeletes) {
    const AnswerCase& c = GetParam();
    settings::kDeleteUnreachable.Write(fixture.profile, c.deleteUnreachable);
    settings::kDeleteUnknown.Write(fixture.profile, c.deleteUnknown);
    settings::kVerifyTimeout.Write(fixture.profile, 1);
    const std::string location = Location(c.kind, "a");
    fixture.AddItem(location);
    ASSERT_TRUE(Verify());
    ASSERT_TRUE(fixture.RunToIdle());
    if (c.deleted) {
        EXPECT_EQ(fixture.RowOf(location), -1);
        EXPECT_FALSE(fixture.list.Locations().Contains(location))
            << "a later search may bring it back";
    } else {
        ASSERT_EQ(fixture.RowOf(location), 0);
        EXPECT_EQ(fixture.list.Item(0).status, c.status);
        EXPECT_TRUE(fixture.list.IsModified());
    }
    EXPECT_EQ(fixture.host.progressSteps, 1);
    EXPECT_EQ(fixture.host.Count("note"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswerTest,
    ::testing::Values(
        AnswerCase{"ok", LocationKind::kOk, 1, 1, false, StatusCode::Reachable},
        AnswerCase{"moved_permanently", LocationKind::kMovedPermanently, 1, 1, false,
                   StatusCode::Reachable},
        // The redirect is followed and the final answer counts.
        AnswerCase{"found_followed", LocationKind::kFound, 1, 1, false, StatusCode::Reachable},
        AnswerCase{"found_kept", LocationKind::kFoundNowhere, 1, 0, false, StatusCode::Unknown},
        AnswerCase{"server_error_deleted", LocationKind::kServerError, 0, 1, true,
                   StatusCode::Unknown},
        AnswerCase{"not_found_deleted", LocationKind::kNotFound, 1, 0, true,
                   StatusCode::Unreachable},
        AnswerCase{"not_found_kept", LocationKind::kNotFound, 0, 0, false, StatusCode::Unreachable},
        AnswerCase{"server_error", LocationKind::kServerError, 1, 0, false, StatusCode::Unknown},
        AnswerCase{"no_answer", LocationKind::kNever, 0, 0, false, StatusCode::Unreachable}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return info.param.name; });

TEST_F(VerificationTest, DefaultRuleVerifiesNormalAndUnknownOnly) {
    const std::vector<std::pair<std::string, StatusCode>> items{
        {"normal", StatusCode::Normal},
        {"reachable", StatusCode::Reachable},
        {"unknown", StatusCode::Unknown},
        {"unreachable", StatusCode::Unreachable}};
    for (const auto& [id, status] : items) {
        fixture.AddItem(Location(LocationKind::kOk, id), status);
    }
    EXPECT_TRUE(fixture.control->verification().ShouldVerify(0));
    EXPECT_FALSE(fixture.control->verification().ShouldVerify(1));
    EXPECT_TRUE(fixture.control->verification().ShouldVerify(2));
    EXPECT_FALSE(fixture.control->verification().ShouldVerify(3));
    ASSERT_TRUE(Verify());
    ASSERT_TRUE(fixture.RunToIdle());
    EXPECT_EQ(fixture.farm.RequestCount("/loc/200/normal"), 1u);
    EXPECT_EQ(fixture.farm.RequestCount("/loc/200/unknown"), 1u);
    EXPECT_EQ(fixture.farm.RequestCount("/loc/200/reachable"), 0u);
    EXPECT_EQ(fixture.farm.RequestCount("/loc/200/unreachable"), 0u);
    EXPECT_EQ(fixture.list.Item(3).status, StatusCode::Unreachable) << "not checked, not deleted";
}

TEST_F(VerificationTest, SelectedItemsWithCSelWhateverTheirStatus) {
    settings::kVerifySelected.Write(fixture.profile, 1);
    fixture.AddItem(Location(LocationKind::kOk, "picked"), StatusCode::Reachable, true);
    fixture.AddItem(Location(LocationKind::kOk, "left"), StatusCode::Reachable, false);
    EXPECT_TRUE(fixture.control->verification().ShouldVerify(0));
    EXPECT_FALSE(fixture.control->verification().ShouldVerify(1));
}

TEST_F(VerificationTest, HttpsIsAWebLocation) {
    fixture.AddItem("https://127.0.0.1:1/never-a-file");
    EXPECT_TRUE(fixture.control->verification().ShouldVerify(0));
}

TEST_F(VerificationTest, FileItemsAreLookedUpWithoutWorkers) {
    const std::string present = fixture.home.File("present.txt");
    std::ofstream(present) << "here";
    const std::string missing = fixture.home.File("missing.txt");
    for (const int deleteUnreachable : {1, 0}) {
        SCOPED_TRACE(deleteUnreachable);
        fixture.list.DeleteAll();
        settings::kDeleteUnreachable.Write(fixture.profile, deleteUnreachable);
        fixture.AddItem(present);
        fixture.AddItem(missing);
        EXPECT_FALSE(Verify()) << "no worker is needed";
        EXPECT_EQ(fixture.list.Item(0).status, StatusCode::Reachable);
        if (deleteUnreachable) {
            EXPECT_EQ(fixture.list.Count(), 1u);
        } else {
            ASSERT_EQ(fixture.list.Count(), 2u);
            EXPECT_EQ(fixture.list.Item(1).status, StatusCode::Unreachable);
        }
        EXPECT_FALSE(fixture.control->state().taskRunning);
        EXPECT_EQ(fixture.host.Count("note"), 0) << "no end-of-task step without workers";
    }
}

// Counts the removal notices the list sends.
class RemovalCounter : public core::ResultListObserver {
  public:
    void RowsRemoved(std::size_t first, std::size_t last) override {
        ranges.emplace_back(first, last);
    }
    void Reset() override { ++resets; }
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    int resets = 0;
};

TEST_F(VerificationTest, MissingFilesOfOneScanGoTogether) {
    const std::string present = fixture.home.File("present.txt");
    std::ofstream(present) << "here";
    fixture.AddItem(present);
    for (int i = 0; i < 40; ++i) {
        fixture.AddItem(fixture.home.File("missing" + std::to_string(i)));
    }
    fixture.AddItem(present + "-also-missing");
    RemovalCounter removals;
    fixture.list.SetObserver(&removals);
    EXPECT_FALSE(Verify());
    fixture.list.SetObserver(nullptr);
    ASSERT_EQ(fixture.list.Count(), 1u);
    EXPECT_EQ(fixture.list.Item(0).status, StatusCode::Reachable);
    EXPECT_EQ(removals.ranges, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 41}}));
    EXPECT_EQ(removals.resets, 0);
    EXPECT_EQ(fixture.list.Locations().Size(), 1u);
}

// Rows added, deleted and sorted while locations are out: each answer still finds its row.
TEST_F(VerificationTest, AnswersFindTheirRowsAfterTheListChanged) {
    for (const char* id : {"a", "b", "c", "d", "e"}) {
        fixture.AddItem(Location(LocationKind::kOk, id));
    }
    fixture.AddItem(Location(LocationKind::kOk, "gone"));
    fixture.farm.SetLocationLatency(std::chrono::milliseconds(150));
    ASSERT_TRUE(Verify());
    core::ResultItem added;
    added.title = "added";
    added.location = "http://added.example/";
    added.status = StatusCode::Reachable;
    fixture.list.AddItemByHand(0, added);
    fixture.list.DeleteItem(
        static_cast<std::size_t>(fixture.RowOf(Location(LocationKind::kOk, "gone"))));
    fixture.list.Sort(core::ResultCell::Location, true);
    fixture.control->verification().ListEdited();
    ASSERT_TRUE(fixture.RunToIdle());
    for (const char* id : {"a", "b", "c", "d", "e"}) {
        const std::ptrdiff_t row = fixture.RowOf(Location(LocationKind::kOk, id));
        ASSERT_GE(row, 0) << id;
        EXPECT_EQ(fixture.list.Item(static_cast<std::size_t>(row)).status, StatusCode::Reachable)
            << id;
        EXPECT_EQ(fixture.farm.RequestCount(std::string("/loc/200/") + id), 1u) << id;
    }
    EXPECT_EQ(fixture.list.Count(), 6u);
    EXPECT_EQ(fixture.list.Item(0).location, "http://added.example/") << "sorted descending";
}

TEST_F(VerificationTest, ThreeItemsTwoWorkers) {
    for (const char* id : {"one", "two", "three"}) {
        fixture.AddItem(Location(LocationKind::kOk, id));
    }
    fixture.farm.SetLocationLatency(std::chrono::milliseconds(100));
    ASSERT_TRUE(Verify());
    EXPECT_EQ(fixture.control->activeThreadCount(), 2);
    EXPECT_EQ(fixture.list.Item(2).status, StatusCode::Normal) << "waits for a free worker";
    EXPECT_FALSE(fixture.control->CanStartNewSearch());
    ASSERT_TRUE(fixture.RunToIdle());
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(fixture.list.Item(row).status, StatusCode::Reachable) << row;
        EXPECT_EQ(fixture.list.CellText(row, core::ResultCell::VerifyMark), "CHECKED");
    }
    EXPECT_EQ(fixture.host.Count("note"), 1);
}

// Each answer goes to the row its location was handed out from, so no row is left "Verifing"
// after the task because another row has the same location.
TEST_F(VerificationTest, SameLocationTwiceUpdatesEachItem) {
    const std::string location = Location(LocationKind::kOk, "twice");
    fixture.AddItem(location);
    fixture.AddItem(location);
    ASSERT_TRUE(Verify());
    ASSERT_TRUE(fixture.RunToIdle());
    EXPECT_EQ(fixture.farm.RequestCount("/loc/200/twice"), 2u);
    EXPECT_EQ(fixture.list.Item(0).status, StatusCode::Reachable);
    EXPECT_EQ(fixture.list.Item(1).status, StatusCode::Reachable);
}

TEST_F(VerificationTest, LongListIsScannedOnce) {
    // Only every hundredth row qualifies; the rest are already reachable.
    for (int i = 0; i < 3000; ++i) {
        const std::string id = std::to_string(i);
        fixture.AddItem(Location(LocationKind::kOk, id),
                        i % 100 == 0 ? StatusCode::Normal : StatusCode::Reachable);
    }
    ASSERT_TRUE(Verify());
    ASSERT_TRUE(fixture.RunToIdle());
    EXPECT_EQ(fixture.farm.RequestCountUnder("/loc/"), 30u);
    EXPECT_EQ(fixture.control->verification().cursor(), fixture.list.Count());
}

TEST_F(VerificationTest, StopReturnsItemsBeingCheckedToNormal) {
    for (const char* id : {"a", "b", "c", "d"}) {
        fixture.AddItem(Location(LocationKind::kNever, id));
    }
    fixture.AddItem(Location(LocationKind::kOk, "e"));
    settings::kLineType.Write(fixture.profile, 1);
    ASSERT_TRUE(Verify());
    ASSERT_TRUE(fixture.RunUntil([this] { return fixture.farm.HeldRequests() >= 4; }));
    const auto start = std::chrono::steady_clock::now();
    fixture.control->StopTask();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5500));
    for (std::size_t row = 0; row < 4; ++row) {
        EXPECT_EQ(fixture.list.Item(row).status, StatusCode::Normal) << row;
        EXPECT_EQ(fixture.list.CellText(row, core::ResultCell::VerifyMark), "NULL") << row;
    }
    EXPECT_EQ(fixture.list.Count(), 5u) << "a stopped check deletes nothing";
    EXPECT_EQ(fixture.host.Count("note"), 1);
    EXPECT_FALSE(fixture.control->state().verifyRunning);
    EXPECT_TRUE(fixture.RunToIdle(std::chrono::seconds(2)));
}

}  // namespace
}  // namespace quexa::test
