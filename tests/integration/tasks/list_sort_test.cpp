// Sorting the list while tasks run: nothing changes the rows while the order is worked out on
// its own thread, what arrived meanwhile lands afterwards, and the focus row is followed.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "task_fixture.h"

namespace quexa::test {
namespace {

namespace settings = core::settings;
using core::ResultCell;
using core::StatusCode;
using demo::LocationKind;

// Notes every change of the rows made while a sort works out its order.
class SortWatch : public core::ResultListObserver {
  public:
    explicit SortWatch(const tasks::TaskControl& control) : control_(control) {}
    void RowsAboutToBeInserted(std::size_t, std::size_t) override { Note("insert"); }
    void RowsAboutToBeRemoved(std::size_t, std::size_t) override { Note("remove"); }
    void RowsChanged(std::size_t, std::size_t) override { Note("change"); }
    void AboutToReset() override { Note("reset"); }
    void AboutToReorder() override { ++reorders; }

    std::vector<std::string> duringSort;
    int reorders = 0;

  private:
    void Note(const char* what) {
        if (control_.busy().Current() == core::BusyWork::Sorting) {
            duringSort.emplace_back(what);
        }
    }
    const tasks::TaskControl& control_;
};

class ListSortTest : public ::testing::Test {
  protected:
    // Enough rows for the order to take a while, so that answers arrive during it.
    void AddFiller(std::size_t rows) {
        for (std::size_t i = 0; i < rows; ++i) {
            fixture.AddItem("http://filler.invalid/" + std::to_string(rows - i),
                            StatusCode::Reachable);
        }
    }

    TaskFixture fixture;
};

TEST_F(ListSortTest, VerificationAnswersWaitForTheSortAndFindTheirRows) {
    std::vector<std::string> checked;
    for (int i = 0; i < 12; ++i) {
        checked.push_back(fixture.farm.LocationUrl(LocationKind::kOk, "v" + std::to_string(i)));
        fixture.AddItem(checked.back());
    }
    AddFiller(60000);
    fixture.farm.SetLocationLatency(std::chrono::milliseconds(20));
    SortWatch watch(*fixture.control);
    fixture.list.SetObserver(&watch);
    ASSERT_TRUE(fixture.control->VerifyResult());
    const std::string focused = fixture.list.Item(5).location;
    const tasks::ListSort::Outcome outcome = fixture.control->ClickColumn(ResultCell::Location, 5);
    ASSERT_TRUE(outcome.sorted);
    ASSERT_TRUE(outcome.focusRow.has_value());
    EXPECT_EQ(fixture.list.Item(*outcome.focusRow).location, focused);
    EXPECT_EQ(fixture.host.Count("wait closed"), 1);
    ASSERT_TRUE(fixture.RunToIdle());
    fixture.list.SetObserver(nullptr);
    EXPECT_TRUE(watch.duringSort.empty()) << watch.duringSort.front();
    EXPECT_EQ(watch.reorders, 1);
    for (const std::string& location : checked) {
        const std::ptrdiff_t row = fixture.RowOf(location);
        ASSERT_GE(row, 0) << location;
        EXPECT_EQ(fixture.list.Item(static_cast<std::size_t>(row)).status, StatusCode::Reachable)
            << location;
    }
    EXPECT_EQ(fixture.farm.RequestCountUnder("/loc/"), checked.size());
    for (std::size_t row = 1; row < fixture.list.Count(); ++row) {
        ASSERT_LE(fixture.list.Item(row - 1).location, fixture.list.Item(row).location) << row;
    }
}

TEST_F(ListSortTest, SearchResultsArrivingDuringTheSortAreAddedAfterIt) {
    const std::vector<demo::FakeEngine> engines{demo::FakeEngine::Bench(31, 3, 10),
                                                demo::FakeEngine::Bench(32, 3, 10)};
    fixture.UseCategory("Sorted", engines);
    settings::kInternetKeywords.Write(fixture.profile, "kite");
    settings::kAutoVerify.Write(fixture.profile, 0);
    ASSERT_TRUE(fixture.control->RunInternetSearch());
    ASSERT_TRUE(fixture.RunToIdle());
    const std::size_t found = fixture.list.Count();
    ASSERT_GT(found, 0u);

    SortWatch watch(*fixture.control);
    fixture.list.SetObserver(&watch);
    ASSERT_TRUE(fixture.control->RunInternetSearch());
    AddFiller(60000);
    EXPECT_TRUE(fixture.control->ClickColumn(ResultCell::Title).sorted);
    ASSERT_TRUE(fixture.RunToIdle());
    fixture.list.SetObserver(nullptr);
    EXPECT_TRUE(watch.duringSort.empty()) << watch.duringSort.front();
    EXPECT_EQ(fixture.list.Count(), 60000u + found) << "no found item is lost";
}

// A search's rows reach the list one drain at a time: one pair of notices per drain.
TEST_F(ListSortTest, ASearchIsHeardOncePerDrain) {
    class InsertCounter : public core::ResultListObserver {
      public:
        void RowsAboutToBeInserted(std::size_t first, std::size_t last) override {
            ++notices;
            rows += last - first + 1;
        }
        int notices = 0;
        std::size_t rows = 0;
    } inserts;
    const std::vector<demo::FakeEngine> engines{demo::FakeEngine::Bench(41, 3, 10),
                                                demo::FakeEngine::Bench(42, 3, 10)};
    fixture.UseCategory("Drained", engines);
    settings::kInternetKeywords.Write(fixture.profile, "kite");
    fixture.list.SetObserver(&inserts);
    ASSERT_TRUE(fixture.control->RunInternetSearch());
    ASSERT_TRUE(fixture.RunToIdle());
    fixture.list.SetObserver(nullptr);
    EXPECT_EQ(inserts.rows, fixture.list.Count());
    EXPECT_EQ(fixture.list.Count(), 20u);
    EXPECT_LE(inserts.notices, 3) << "one drain per engine's end and one at the task's end";
}

TEST_F(ListSortTest, ASecondClickTurnsTheOrderRoundAndABusyLoopRefusesIt) {
    for (const char* id : {"b", "c", "a"}) {
        fixture.AddItem(std::string("http://") + id + ".invalid/");
    }
    auto busy = std::make_shared<core::BusyState>();
    tasks::TaskEnvironment env{fixture.list,       fixture.profile, fixture.cache,
                               fixture.mainThread, fixture.host,    fixture.prompter};
    env.busy = busy;
    tasks::TaskControl control(env);
    auto firsts = [this] { return std::string(fixture.list.Item(0).location, 7, 1); };
    EXPECT_TRUE(control.ClickColumn(ResultCell::Location).sorted);
    EXPECT_EQ(firsts(), "a");
    EXPECT_TRUE(control.ClickColumn(ResultCell::Location).sorted);
    EXPECT_EQ(firsts(), "c");
    {
        const core::BusyState::Scope loading(*busy, core::BusyWork::Loading);
        EXPECT_FALSE(control.ClickColumn(ResultCell::Location).sorted);
        EXPECT_EQ(firsts(), "c");
    }
    EXPECT_EQ(control.sortMark().Current(), (core::SortChoice{ResultCell::Location, true}))
        << "a refused click leaves the mark";
    EXPECT_TRUE(control.ClickColumn(ResultCell::Location).sorted);
    EXPECT_EQ(firsts(), "a");
}

}  // namespace
}  // namespace quexa::test
