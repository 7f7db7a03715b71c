// The Internet search task against the demo farm: paging, return numbers, duplicates, the
// thread limit and stops.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "engines/scheme_list.h"
#include "task_fixture.h"

namespace quexa::test {
namespace {

namespace settings = core::settings;
using demo::FakeEngine;
using tasks::EngineState;

constexpr const char* kQuery = "solar kite";

const FakeEngine& DemoEngine(const std::string& key) {
    for (const FakeEngine& engine : FakeEngine::DemoSet()) {
        if (engine.key() == key) {
            return engine;
        }
    }
    throw std::runtime_error("no demo engine " + key);
}

std::vector<std::string> Locations(const core::ResultList& list) {
    std::vector<std::string> out;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        out.push_back(list.Item(row).location);
    }
    return out;
}

class InternetSearchTest : public ::testing::Test {
  protected:
    bool Search() {
        settings::kInternetKeywords.Write(fixture.profile, kQuery);
        return fixture.control->RunInternetSearch();
    }

    quexa::testing::TaskFixture fixture;
};

// Every page a search takes, for engines with each kind of paging and return number.
struct PagingCase {
    std::string name;
    FakeEngine engine;
    int returnNumber;
    int itemsExpected;
    std::vector<int> pagesFetched;  // the engine's own page numbers
    std::vector<int> pagesNotFetched;
};

class PagingTest : public InternetSearchTest, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(PagingTest, TakesThePagesAndItemsOfItsReturnNumber) {
    const PagingCase& c = GetParam();
    fixture.UseCategory("Paging", {c.engine});
    fixture.UseScheme("Paging", "only", {{c.engine.name(), c.returnNumber, 1}});
    ASSERT_TRUE(Search());
    ASSERT_TRUE(fixture.RunToIdle());

    EXPECT_EQ(static_cast<int>(fixture.list.Count()), c.itemsExpected);
    const std::vector<demo::ExpectedItem> expected =
        c.engine.ExpectedSearch(kQuery, c.returnNumber, fixture.farm.port());
    ASSERT_EQ(expected.size(), fixture.list.Count());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(fixture.list.Item(row).title, expected[row].title) << row;
        EXPECT_EQ(fixture.list.Item(row).location, expected[row].location) << row;
        EXPECT_EQ(fixture.list.Item(row).searchTarget, c.engine.name());
        EXPECT_EQ(fixture.list.Item(row).status, core::StatusCode::Normal);
    }
    const std::string path = c.engine.SearchPath();
    std::size_t requests = fixture.farm.RequestCount(path);
    EXPECT_EQ(requests, c.pagesFetched.size()) << "pages fetched";
    const tasks::EngineProgressList::Row* row = fixture.host.engines.Find(c.engine.name());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->state, EngineState::Finished);
    EXPECT_EQ(row->Result(), c.itemsExpected);
    EXPECT_EQ(fixture.host.Count("note"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, PagingTest,
    ::testing::Values(
        // 25 matching items on the first page and a return number of 10: no second page.
        PagingCase{"limit_within_first_page", FakeEngine::Bench(1, 3, 25), 10, 10, {1}, {2}},
        // The limit is tested after an item is counted: 0 still takes one.
        PagingCase{"return_number_zero", FakeEngine::Bench(2, 3, 4), 0, 1, {1}, {2}},
        // Numbered paging where page 3 is the first without items: pages 1 to 3, not 4.
        PagingCase{"numbered_until_empty_page", FakeEngine::Bench(3, 2, 4), -1, 8, {1, 2, 3}, {4}},
        PagingCase{"base_zero", DemoEngine("base-zero"), -1, 12, {0, 1, 2, 3}, {4}},
        // Link paging ends on the page without a next link.
        PagingCase{"link_forward", DemoEngine("next-link"), -1, 12, {1, 2, 3}, {4}},
        PagingCase{"link_backward", DemoEngine("last-link"), -1, 12, {1, 2, 3}, {4}},
        PagingCase{"limit_across_pages", DemoEngine("next-link"), 6, 6, {1, 2}, {3}},
        // Next-page links that never end: page 3 links back to page 2, pages without items link
        // on, pages repeating the items of the last link on.
        PagingCase{"link_loop", DemoEngine("loop"), -1, 12, {1, 2, 3}, {}},
        PagingCase{"link_on_through_empty_pages", DemoEngine("endless"), -1, 4, {1, 2}, {3}},
        PagingCase{
            "link_on_through_empty_pages_limited", DemoEngine("endless"), 10, 4, {1, 2}, {3}},
        PagingCase{"link_on_through_repeated_pages", DemoEngine("echo"), -1, 6, {1, 2, 3}, {4}}),
    [](const ::testing::TestParamInfo<PagingCase>& info) { return info.param.name; });

// A "#" in the query would cut the search URL there: the rest of the query and the page number
// after it would never reach the engine.
TEST_F(InternetSearchTest, AQueryWithAHashReachesTheEngineWhole) {
    const std::string query = "c# tutorial";
    const FakeEngine engine = FakeEngine::Bench(5, 2, 3);
    fixture.UseCategory("Hash", {engine});
    fixture.UseScheme("Hash", "only", {{engine.name(), -1, 1}});
    settings::kInternetKeywords.Write(fixture.profile, query);
    ASSERT_TRUE(fixture.control->RunInternetSearch());
    ASSERT_TRUE(fixture.RunToIdle());

    const std::vector<demo::ExpectedItem> expected =
        engine.ExpectedSearch(query, -1, fixture.farm.port());
    ASSERT_EQ(expected.size(), 6U);
    ASSERT_EQ(fixture.list.Count(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(fixture.list.Item(row).title, expected[row].title) << row;
    }
    EXPECT_EQ(fixture.farm.RequestCount(engine.SearchPath()), 3U);
}

TEST_F(InternetSearchTest, TwoWorkersRunAtOnceWithLineTypeZero) {
    const std::vector<FakeEngine> engines{FakeEngine::Bench(11, 1, 2), FakeEngine::Bench(12, 1, 2),
                                          FakeEngine::Bench(13, 1, 2)};
    fixture.UseCategory("Three", engines);
    settings::kLineType.Write(fixture.profile, 0);
    fixture.farm.SetEngineLatency(std::chrono::milliseconds(300));
    ASSERT_TRUE(Search());

    int searching = 0;
    int idle = 0;
    for (const auto& row : fixture.host.engines.rows()) {
        searching += row.state == EngineState::Searching ? 1 : 0;
        idle += row.state == EngineState::Idle ? 1 : 0;
    }
    EXPECT_EQ(searching, 2);
    EXPECT_EQ(idle, 1);
    EXPECT_EQ(fixture.control->activeThreadCount(), 2);
    ASSERT_TRUE(fixture.RunToIdle());
    for (const auto& row : fixture.host.engines.rows()) {
        EXPECT_EQ(row.state, EngineState::Finished) << row.name;
        EXPECT_EQ(row.Result(), 2) << row.name;
    }
    EXPECT_EQ(fixture.list.Count(), 6u);
}

TEST_F(InternetSearchTest, DuplicatesAcrossEnginesFollowImportAde) {
    const std::vector<FakeEngine> engines{DemoEngine("numbered"), DemoEngine("base-zero")};
    for (const int dropDuplicates : {1, 0}) {
        SCOPED_TRACE(dropDuplicates);
        fixture.UseCategory("Shared", engines);
        settings::kDropDuplicates.Write(fixture.profile, dropDuplicates);
        ASSERT_TRUE(Search());
        ASSERT_TRUE(fixture.RunToIdle());
        const std::vector<std::string> listed = Locations(fixture.list);
        const std::set<std::string> distinct(listed.begin(), listed.end());
        std::size_t all = 0;
        std::set<std::string> expectedDistinct;
        for (const FakeEngine& engine : engines) {
            for (const auto& item : engine.ExpectedSearch(kQuery, 10, fixture.farm.port())) {
                ++all;
                expectedDistinct.insert(item.location);
            }
        }
        ASSERT_LT(expectedDistinct.size(), all) << "the engines must share locations";
        EXPECT_EQ(listed.size(), dropDuplicates ? expectedDistinct.size() : all);
        EXPECT_EQ(distinct, expectedDistinct);
        // Both engines count a shared item towards their results.
        for (const FakeEngine& engine : engines) {
            EXPECT_EQ(fixture.host.engines.Find(engine.name())->Result() > 0, true);
        }
    }
}

TEST_F(InternetSearchTest, EmptySearchUrlEndsTheEngineAtOnce) {
    fixture.UseCategory("Empty", {});
    fixture.AddEngineFile("Empty", "empty.qzf",
                          "name=No Url\nitem_templates=<li>*TITLE*|*URL*</li>\nsearch_url=\n");
    ASSERT_TRUE(Search());
    ASSERT_TRUE(fixture.RunToIdle());
    const auto* row = fixture.host.engines.Find("No Url");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->state, EngineState::Finished);
    EXPECT_EQ(row->Result(), 0);
    EXPECT_EQ(fixture.farm.TotalRequests(), 0u);
    EXPECT_EQ(fixture.host.Count("note"), 1);
}

// The query names the engine's path here, so blanks left around it would miss the engine.
TEST_F(InternetSearchTest, TheQueryIsTrimmedBeforeItGoesIntoTheUrl) {
    const FakeEngine engine = FakeEngine::Bench(1, 1, 3);
    std::string source = engine.Source(fixture.farm.port());
    const std::string path = "/engine/" + engine.key() + "/";
    const std::size_t at = source.rfind(path);
    ASSERT_NE(at, std::string::npos) << source;
    source.replace(at, path.size(), "/engine/_QUERY_/");
    fixture.UseCategory("Trim", {});
    fixture.AddEngineFile("Trim", "trim.qzf", source);
    settings::kInternetKeywords.Write(fixture.profile, " \t" + engine.key() + "  ");
    ASSERT_TRUE(fixture.control->RunInternetSearch());
    ASSERT_TRUE(fixture.RunToIdle());
    EXPECT_EQ(fixture.list.Count(), 3u);
    EXPECT_GE(fixture.farm.RequestCount(engine.SearchPath()), 1u);
}

TEST_F(InternetSearchTest, MissingCategoryStartsNothing) {
    settings::kLastCategory.Write(fixture.profile, "Nowhere");  // and no category file at all
    EXPECT_FALSE(Search());
    EXPECT_FALSE(fixture.control->state().taskRunning);
    ASSERT_EQ(fixture.host.events.size(), 1u);
    EXPECT_EQ(
        fixture.host.events[0],
        "error: The search scheme which you want to use isn't existed!\nSearch task finished");
}

TEST_F(InternetSearchTest, UnreadableSchemeStartsNothingAndSaysNothing) {
    fixture.UseCategory("Gone", {FakeEngine::Bench(21, 1, 1)});
    engines::SetLastScheme(fixture.profile, "Gone", (fixture.home.Path() / "missing.scm").string());
    EXPECT_FALSE(Search());
    EXPECT_FALSE(fixture.control->state().taskRunning);
    EXPECT_TRUE(fixture.host.events.empty());
}

TEST_F(InternetSearchTest, FailingPagesEndTheirEngines) {
    const std::vector<FakeEngine> engines{DemoEngine("broken"), DemoEngine("dropped")};
    fixture.UseCategory("Faults", engines);
    ASSERT_TRUE(Search());
    ASSERT_TRUE(fixture.RunToIdle());
    for (const FakeEngine& engine : engines) {
        const auto expected = engine.ExpectedSearch(kQuery, 10, fixture.farm.port());
        EXPECT_EQ(fixture.host.engines.Find(engine.name())->Result(),
                  static_cast<int>(expected.size()))
            << engine.name();
    }
}

TEST_F(InternetSearchTest, StopKeepsWhatWasQueued) {
    const std::vector<FakeEngine> engines{FakeEngine::Bench(31, 50, 3),
                                          FakeEngine::Bench(32, 50, 3)};
    fixture.UseCategory("Stop", engines);
    settings::kLineType.Write(fixture.profile, 1);
    settings::kAutoVerify.Write(fixture.profile, 1);
    fixture.farm.SetEngineLatency(std::chrono::milliseconds(20));
    ASSERT_TRUE(Search());
    // Two pages announced: their items are queued, none is listed yet.
    ASSERT_TRUE(fixture.RunUntil([this] { return fixture.mainThread->sends() >= 2; }));
    EXPECT_EQ(fixture.list.Count(), 0u);
    fixture.farm.SetHangEngines(true);
    fixture.control->StopTask();

    EXPECT_GE(fixture.list.Count(), 6u);
    std::set<std::string> possible;
    for (const FakeEngine& engine : engines) {
        for (const auto& item : engine.ExpectedSearch(kQuery, -1, fixture.farm.port())) {
            possible.insert(item.location);
        }
    }
    for (const std::string& location : Locations(fixture.list)) {
        EXPECT_TRUE(possible.count(location)) << location;
    }
    EXPECT_FALSE(fixture.control->state().taskRunning);
    EXPECT_EQ(fixture.host.Count("countdown ok"), 0) << "a stop suppresses the verification";
    EXPECT_EQ(fixture.host.Count("note"), 1);
    EXPECT_TRUE(fixture.RunToIdle(std::chrono::seconds(2)));
}

TEST_F(InternetSearchTest, StopWhileEveryServerHangsEndsPromptly) {
    std::vector<FakeEngine> engines;
    for (int i = 0; i < 12; ++i) {
        engines.push_back(FakeEngine::Bench(40 + i, 3, 3));
    }
    fixture.UseCategory("Hang", engines);
    settings::kLineType.Write(fixture.profile, 5);
    fixture.farm.SetHangEngines(true);
    ASSERT_TRUE(Search());
    ASSERT_TRUE(fixture.RunUntil([this] { return fixture.farm.HeldRequests() >= 12; }));

    const auto start = std::chrono::steady_clock::now();
    fixture.control->StopTask();
    const auto stopped = std::chrono::steady_clock::now() - start;
    EXPECT_LT(stopped, std::chrono::milliseconds(5500));
    EXPECT_EQ(fixture.host.Count("note"), 1);
    EXPECT_TRUE(fixture.RunToIdle(std::chrono::seconds(2))) << "every worker thread has ended";
    EXPECT_EQ(fixture.control->ReleaseEndedWorkers(), 0u);
}

}  // namespace
}  // namespace quexa::test
