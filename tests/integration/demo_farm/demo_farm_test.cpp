// The demo engine farm over real HTTP: its pages, read with the engines' own files, yield what
// the farm says they yield; its locations, latencies, hang switch and counters do what they say.
#include <gtest/gtest.h>
#include <httplib.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "demo_farm/demo_farm.h"
#include "demo_farm/demo_home.h"
#include "engines/category_file.h"
#include "engines/engine_definition.h"
#include "engines/engine_loader.h"
#include "engines/engine_record.h"
#include "engines/engine_source.h"
#include "engines/page_extractor.h"
#include "engines/search_url.h"
#include "web/http_session.h"

namespace quexa::demo {

// Readable failures for the item lists.
void PrintTo(const ExpectedItem& item, std::ostream* out) {
    *out << "{title \"" << item.title << "\", location \"" << item.location << "\", preview \""
         << item.preview << "\"}";
}

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::string_view kQueries[] = {"news game stock", "Tom's Shop 2026"};

web::HttpSettings Settings(int timeoutSeconds = 5) {
    web::HttpSettings settings;
    settings.timeoutSeconds = timeoutSeconds;
    return settings;
}

milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

template <typename Condition>
bool WaitFor(Condition condition, milliseconds limit = milliseconds(3000)) {
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    return true;
}

std::unique_ptr<engines::EngineDefinition> Definition(const FakeEngine& engine, int port,
                                                      std::string_view query, int returnNumber) {
    engines::EngineRecord record;
    std::string error;
    EXPECT_TRUE(engines::EngineSource::Parse(engine.Source(port), record, error))
        << engine.key() << ": " << error;
    return engines::BuildEngineDefinition(record, query, returnNumber);
}

struct PageSeen {
    int page = 0;
    std::string url;
    std::vector<ExpectedItem> items;
    std::string next;
    bool complete = false;  // the answer ended with the document's end
};

struct Walk {
    std::vector<PageSeen> pages;
    std::vector<ExpectedItem> taken;
};

// Reads an engine's pages as a search worker does: its own search URL, numbers or next-page
// links, the page extractor, and the return number; it ends at a link back to a page it read,
// after a page without new items, and at the return number in items or pages.
Walk WalkEngine(const FakeEngine& engine, int port, std::string_view query, int returnNumber) {
    const auto definition = Definition(engine, port, query, returnNumber);
    const engines::SearchUrl searchUrl(definition->searchUrl, query);
    engines::PageExtractor extractor(*definition);
    web::HttpSession session(Settings());
    const std::size_t pageLimit =
        returnNumber == -1 ? 20 : static_cast<std::size_t>(std::max(returnNumber, 1));
    Walk walk;
    std::set<std::string> urls;
    std::set<std::string> locations;
    int counted = 0;
    bool full = false;  // the limit is tested after an item has been counted
    std::string url = searchUrl.FirstPageUrl();
    for (int page = searchUrl.FirstPage();
         !url.empty() && walk.pages.size() < pageLimit && urls.insert(url).second; ++page) {
        PageSeen seen;
        seen.page = page;
        seen.url = url;
        const std::string body(session.FetchPage(url).value_or(""));
        seen.complete = body.ends_with("</html>\n");
        int fresh = 0;
        for (engines::ExtractedItem& item : extractor.ExtractItems(body)) {
            seen.items.push_back({item.title, item.location, item.preview});
            if (full) {
                continue;
            }
            ++counted;
            if (locations.insert(item.location).second) {
                ++fresh;
                walk.taken.push_back(seen.items.back());
            }
            full = returnNumber != -1 && counted >= returnNumber;
        }
        seen.next = extractor.NextPageUrl();
        walk.pages.push_back(seen);
        if (full || fresh == 0) {
            break;
        }
        url = searchUrl.PagesByNumber() ? searchUrl.PageUrl(page + 1) : seen.next;
    }
    return walk;
}

// The demo set and two benchmark engines.
std::vector<FakeEngine> ServedEngines() {
    std::vector<FakeEngine> engines = FakeEngine::DemoSet();
    engines.push_back(FakeEngine::Bench(1, 5, 2));
    engines.push_back(FakeEngine::Bench(12, 2, 7));
    return engines;
}

class DemoFarmTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        DemoFarm::Options options;
        options.holdLimit = std::chrono::seconds(10);
        farm_ = new DemoFarm(options);
        std::string error;
        ASSERT_TRUE(farm_->Start(0, &error)) << error;
    }
    static void TearDownTestSuite() {
        delete farm_;
        farm_ = nullptr;
    }
    void SetUp() override { farm_->ResetCounters(); }
    void TearDown() override {
        farm_->SetEngineLatency(milliseconds(0));
        farm_->SetLocationLatency(milliseconds(0));
        farm_->SetHangEngines(false);
    }

    static DemoFarm* farm_;
};

DemoFarm* DemoFarmTest::farm_ = nullptr;

TEST_F(DemoFarmTest, EngineFilesPointAtTheirOwnPages) {
    for (const FakeEngine& engine : ServedEngines()) {
        const auto definition = Definition(engine, farm_->port(), "q", 10);
        ASSERT_TRUE(definition) << engine.key();
        EXPECT_EQ(definition->name, engine.name());
        const engines::SearchUrl url(definition->searchUrl, "q");
        const bool numbered = engine.shape().paging == Paging::kNumbered ||
                              engine.shape().paging == Paging::kNumberedBaseZero;
        EXPECT_EQ(url.PagesByNumber(), numbered) << engine.key();
        EXPECT_EQ(url.FirstPage(), engine.FirstPage()) << engine.key();
        EXPECT_TRUE(url.FirstPageUrl().starts_with(farm_->Url(engine.SearchPath()) + "?q=q"))
            << url.FirstPageUrl();
        EXPECT_EQ(FakeEngine::FromKey(engine.key())->name(), engine.name());
    }
    EXPECT_FALSE(FakeEngine::FromKey("no-such-engine"));
    EXPECT_FALSE(FakeEngine::FromKey("bench-1-5"));
}

TEST_F(DemoFarmTest, PagesYieldWhatTheFarmExpects) {
    const std::vector<FakeEngine> engines = ServedEngines();
    // Every engine and query at once: the slow engine takes its seconds only once.
    std::vector<std::vector<std::future<Walk>>> walks(std::size(kQueries));
    for (std::size_t q = 0; q < std::size(kQueries); ++q) {
        for (const FakeEngine& engine : engines) {
            walks[q].push_back(std::async(std::launch::async, [&engine, query = kQueries[q]] {
                return WalkEngine(engine, farm_->port(), query, -1);
            }));
        }
    }
    std::map<std::string, std::size_t> pagesRead;
    for (std::size_t q = 0; q < std::size(kQueries); ++q) {
        const std::string_view query = kQueries[q];
        std::map<std::string, std::set<std::string>> enginesOfLocation;
        for (std::size_t e = 0; e < engines.size(); ++e) {
            const FakeEngine& engine = engines[e];
            const Walk walk = walks[q][e].get();
            ASSERT_FALSE(walk.pages.empty()) << engine.key();
            pagesRead[engine.key()] += walk.pages.size();
            for (const PageSeen& seen : walk.pages) {
                const std::string where =
                    engine.key() + " page " + std::to_string(seen.page) + " (" + seen.url + ")";
                EXPECT_EQ(seen.items, engine.ExpectedItems(query, seen.page, farm_->port()))
                    << where;
                EXPECT_EQ(seen.next, engine.ExpectedNextPageUrl(query, seen.page, farm_->port()))
                    << where;
                EXPECT_EQ(seen.complete, engine.shape().fault != Fault::kConnectionClosed) << where;
                for (const ExpectedItem& item : seen.items) {
                    enginesOfLocation[item.location].insert(engine.key());
                }
            }
            EXPECT_EQ(walk.taken, engine.ExpectedSearch(query, -1, farm_->port())) << engine.key();
        }
        // The first item of each page of the sharing engines is one location.
        std::size_t sharers = 0;
        for (const FakeEngine& engine : engines) {
            sharers += engine.shape().sharesLocations ? 1 : 0;
        }
        const FakeEngine& first = engines.front();
        ASSERT_TRUE(first.shape().sharesLocations);
        const std::string shared = first.ExpectedItems(query, 1, farm_->port()).at(0).location;
        EXPECT_EQ(enginesOfLocation[shared].size(), sharers) << shared;
    }
    for (const FakeEngine& engine : engines) {
        EXPECT_EQ(farm_->RequestCount(engine.SearchPath()), pagesRead[engine.key()])
            << engine.key();
    }
}

TEST_F(DemoFarmTest, SearchesStopAtTheReturnNumber) {
    const std::vector<FakeEngine> engines = ServedEngines();
    const std::string_view query = kQueries[0];
    const int returnNumbers[] = {0, 5, 10};
    std::vector<std::vector<std::future<Walk>>> walks(std::size(returnNumbers));
    for (std::size_t r = 0; r < std::size(returnNumbers); ++r) {
        for (const FakeEngine& engine : engines) {
            walks[r].push_back(
                std::async(std::launch::async, [&engine, query, returnNumber = returnNumbers[r]] {
                    return WalkEngine(engine, farm_->port(), query, returnNumber);
                }));
        }
    }
    for (std::size_t r = 0; r < std::size(returnNumbers); ++r) {
        const int returnNumber = returnNumbers[r];
        for (std::size_t e = 0; e < engines.size(); ++e) {
            const std::vector<ExpectedItem> expected =
                engines[e].ExpectedSearch(query, returnNumber, farm_->port());
            EXPECT_EQ(walks[r][e].get().taken, expected)
                << engines[e].key() << " with return number " << returnNumber;
            EXPECT_LE(expected.size(), static_cast<std::size_t>(std::max(1, returnNumber)));
        }
    }
}

TEST_F(DemoFarmTest, FailingPagesAnswerTheirStatus) {
    web::HttpSession session(Settings());
    for (const FakeEngine& engine : ServedEngines()) {
        if (engine.shape().paging != Paging::kNumbered || engine.shape().fault == Fault::kSlow) {
            continue;
        }
        for (int page = 1; page <= 3; ++page) {
            const std::string url =
                farm_->Url(engine.SearchPath()) + "?q=x&page=" + std::to_string(page);
            ASSERT_TRUE(session.QueryRawHeaders(url)) << url << ": " << session.LastErrorText();
            EXPECT_EQ(session.StatusCode(), engine.PageStatus(page)) << url;
        }
    }
    EXPECT_EQ(FakeEngine::FromKey("broken")->PageStatus(2), 500);
    ASSERT_TRUE(session.QueryRawHeaders(farm_->Url("/engine/no-such-engine/search?q=x")));
    EXPECT_EQ(session.StatusCode(), 404);
}

TEST_F(DemoFarmTest, LocationsAnswerTheirStatus) {
    struct Case {
        LocationKind kind;
        int status;       // as sent
        int finalStatus;  // after redirects, as a verification sees it
    };
    const Case cases[] = {
        {LocationKind::kOk, 200, 200},          {LocationKind::kMovedPermanently, 301, 200},
        {LocationKind::kFound, 302, 200},       {LocationKind::kNotFound, 404, 404},
        {LocationKind::kServerError, 500, 500}, {LocationKind::kFoundNowhere, 302, 302},
    };
    web::HttpSession session(Settings());
    httplib::Client client("127.0.0.1", farm_->port());
    for (const Case& c : cases) {
        EXPECT_EQ(LocationStatus(c.kind), c.status);
        const std::string named = LocationPath(c.kind, "x");  // "/loc/SEGMENT/x"
        EXPECT_EQ(ParseLocationKind(named.substr(5, named.size() - 7)), c.kind);
        const std::string path = LocationPath(c.kind, "id-7");
        ASSERT_TRUE(session.QueryRawHeaders(farm_->Url(path))) << path;
        EXPECT_EQ(session.StatusCode(), c.finalStatus) << path;
        const httplib::Result raw = client.Get(path.c_str());
        ASSERT_TRUE(raw) << path;
        EXPECT_EQ(raw->status, c.status) << path;
        const bool redirected = c.status != c.finalStatus;
        EXPECT_EQ(raw->get_header_value("Location"),
                  redirected ? farm_->LocationUrl(LocationKind::kOk, "id-7") : "")
            << path;
    }
    EXPECT_EQ(farm_->RequestCount(LocationPath(LocationKind::kOk, "id-7")), 4U);
    EXPECT_FALSE(ParseLocationKind("201"));
    EXPECT_EQ(LocationPath(LocationKind::kNever, "a"), "/loc/never/a");
}

TEST_F(DemoFarmTest, ClickThroughLinksLeadToTheirLocation) {
    const FakeEngine engine = *FakeEngine::FromKey("next-link");
    web::HttpSession session(Settings());
    const auto page = session.FetchPage(farm_->Url(engine.SearchPath()) + "?q=click");
    ASSERT_TRUE(page);
    const std::string link = "/click?to=127.0.0.1:" + std::to_string(farm_->port()) + "/loc/";
    ASSERT_NE(page->find(link), std::string_view::npos);
    const std::string location = engine.ExpectedItems("click", 1, farm_->port()).at(1).location;
    const std::string path = location.substr(farm_->BaseUrl().size());
    ASSERT_TRUE(session.QueryRawHeaders(
        farm_->Url("/click?to=127.0.0.1:" + std::to_string(farm_->port()) + path)));
    EXPECT_EQ(session.StatusCode(), 200);
    EXPECT_EQ(farm_->RequestCount(path), 1U);
}

TEST_F(DemoFarmTest, LatencyDelaysWithoutQueueing) {
    web::HttpSession session(Settings());
    const std::string numbered = farm_->Url("/engine/numbered/search?q=x&page=1");
    const std::string baseZero = farm_->Url("/engine/base-zero/search?q=x&page=0");
    farm_->SetEngineLatency(milliseconds(300));
    farm_->SetEngineLatency("base-zero", milliseconds(0));
    auto start = Clock::now();
    ASSERT_TRUE(session.FetchPage(numbered));
    EXPECT_GE(Since(start), milliseconds(300));
    start = Clock::now();
    ASSERT_TRUE(session.FetchPage(baseZero));
    EXPECT_LT(Since(start), milliseconds(300));

    farm_->SetLocationLatency(milliseconds(250));
    start = Clock::now();
    ASSERT_TRUE(session.QueryRawHeaders(farm_->LocationUrl(LocationKind::kNotFound, "slow")));
    EXPECT_GE(Since(start), milliseconds(250));

    // Eight requests at once take about one latency, not eight.
    farm_->SetEngineLatency("base-zero", milliseconds(400));
    start = Clock::now();
    std::vector<std::future<bool>> fetches;
    for (int i = 0; i < 8; ++i) {
        fetches.push_back(std::async(std::launch::async, [&baseZero] {
            web::HttpSession own(Settings());
            return own.FetchPage(baseZero).has_value();
        }));
    }
    for (auto& fetch : fetches) {
        EXPECT_TRUE(fetch.get());
    }
    EXPECT_GE(Since(start), milliseconds(400));
    EXPECT_LT(Since(start), milliseconds(8 * 400 / 2));
    farm_->SetEngineLatency("base-zero", milliseconds(0));
}

TEST_F(DemoFarmTest, TheSlowEngineIsLate) {
    web::HttpSession session(Settings());
    const auto start = Clock::now();
    ASSERT_TRUE(session.FetchPage(farm_->Url("/engine/slow/search?q=x&page=1")));
    EXPECT_GE(Since(start), FakeEngine::kSlowDelay);
}

TEST_F(DemoFarmTest, TheHangSwitchHoldsPagesUntilCleared) {
    farm_->SetHangEngines(true);
    auto fetch = std::async(std::launch::async, [] {
        web::HttpSession session(Settings());
        const auto page = session.FetchPage(farm_->Url("/engine/numbered/search?q=x&page=1"));
        return std::string(page.value_or(""));
    });
    ASSERT_TRUE(WaitFor([] { return farm_->HeldRequests() == 1; }));
    // Locations are not engine pages: they still answer.
    web::HttpSession other(Settings());
    ASSERT_TRUE(other.QueryRawHeaders(farm_->LocationUrl(LocationKind::kOk, "h")));
    EXPECT_EQ(other.StatusCode(), 200);
    EXPECT_EQ(fetch.wait_for(milliseconds(200)), std::future_status::timeout);
    farm_->SetHangEngines(false);
    const std::string page = fetch.get();
    EXPECT_NE(page.find("Result 2 of Demo Numbered"), std::string::npos);
    EXPECT_EQ(farm_->HeldRequests(), 0U);
}

TEST_F(DemoFarmTest, CountersCount) {
    web::HttpSession session(Settings());
    const FakeEngine& engine = DemoFarm::Engines().front();
    ASSERT_TRUE(session.FetchPage(farm_->Url(engine.SearchPath()) + "?q=a&page=1"));
    ASSERT_TRUE(session.FetchPage(farm_->Url(engine.SearchPath()) + "?q=b&page=2"));
    ASSERT_TRUE(session.QueryRawHeaders(farm_->LocationUrl(LocationKind::kNotFound, "c")));
    ASSERT_TRUE(session.QueryRawHeaders(farm_->LocationUrl(LocationKind::kFound, "d")));
    EXPECT_EQ(farm_->RequestCount(engine.SearchPath()), 2U);
    EXPECT_EQ(farm_->RequestCountUnder("/engine/"), 2U);
    EXPECT_EQ(farm_->RequestCountUnder("/loc/"), 3U);  // the redirect is followed
    EXPECT_EQ(farm_->RequestCount("/loc/302/d"), 1U);
    EXPECT_EQ(farm_->TotalRequests(), 5U);
    farm_->ResetCounters();
    EXPECT_EQ(farm_->TotalRequests(), 0U);
    EXPECT_EQ(farm_->RequestCount(engine.SearchPath()), 0U);
}

// Farms of their own: these stop while answers are held.
TEST(DemoFarmStopTest, NeverAnswersAndStopIsStillQuick) {
    DemoFarm farm;
    ASSERT_TRUE(farm.Start());
    EXPECT_TRUE(farm.running());
    web::HttpSession session(Settings(1));
    auto start = Clock::now();
    const auto headers = session.QueryRawHeaders(farm.LocationUrl(LocationKind::kNever, "n"));
    EXPECT_FALSE(headers.has_value());
    EXPECT_EQ(session.StatusCode(), 0);
    EXPECT_GE(Since(start), milliseconds(900));
    EXPECT_EQ(farm.HeldRequests(), 1U);  // still held after the client gave up

    farm.SetHangEngines(true);
    auto hanging = std::async(std::launch::async, [url = farm.Url("/engine/numbered/search")] {
        web::HttpSession own(Settings());
        return std::string(own.FetchPage(url + "?q=x&page=1").value_or(""));
    });
    ASSERT_TRUE(WaitFor([&farm] { return farm.HeldRequests() == 2; }));
    start = Clock::now();
    farm.Stop();
    EXPECT_LT(Since(start), milliseconds(1000));
    EXPECT_FALSE(farm.running());
    EXPECT_EQ(farm.HeldRequests(), 0U);
    EXPECT_EQ(hanging.get().find("Result"), std::string::npos);

    std::string error;
    ASSERT_TRUE(farm.Start(0, &error)) << error;
    EXPECT_FALSE(farm.Start(0, &error));
    EXPECT_FALSE(error.empty());
}

TEST(DemoFarmStopTest, StopCutsLatencyShort) {
    DemoFarm farm;
    ASSERT_TRUE(farm.Start());
    farm.SetEngineLatency(std::chrono::seconds(30));
    auto waiting = std::async(std::launch::async, [url = farm.Url("/engine/numbered/search")] {
        web::HttpSession own(Settings());
        return own.FetchPage(url + "?q=x").has_value();
    });
    ASSERT_TRUE(WaitFor([&farm] { return farm.TotalRequests() == 1; }));
    const auto start = Clock::now();
    farm.Stop();
    EXPECT_LT(Since(start), milliseconds(1000));
    waiting.get();
}

class TempHome {
  public:
    TempHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "demo-home-XXXXXX");
        path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~TempHome() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::vector<engines::CategoryRecord> ReadCategories(const std::filesystem::path& home) {
    engines::CategoryFile file;
    std::vector<engines::CategoryRecord> records;
    std::int32_t count = 0;
    if (!file.Open(engines::CategoryFilePath(home.string())) || !file.ReadHeader(count)) {
        return records;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        engines::CategoryRecord record;
        EXPECT_TRUE(file.ReadRecord(i, record));
        records.push_back(record);
    }
    return records;
}

TEST(DemoHomeTest, TheHomeListsEveryDemoEngineInTheDemoCategory) {
    TempHome home;
    ASSERT_FALSE(home.path().empty());
    engines::CategoryRecord other;
    other.name = "Other";
    other.directory = "Other";
    ASSERT_TRUE(
        engines::WriteCategoryFile(engines::CategoryFilePath(home.path().string()), {other}));
    const std::filesystem::path demo = home.path() / "Categories" / "Demo";
    std::filesystem::create_directories(demo);
    std::ofstream(demo / "stale.qzf") << "left over";

    std::string error;
    ASSERT_TRUE(WriteDemoHome(home.path(), 4321, &error)) << error;
    ASSERT_TRUE(WriteDemoHome(home.path(), 4321, &error)) << error;  // twice: Demo stays once

    const auto records = ReadCategories(home.path());
    ASSERT_EQ(records.size(), 2U);
    EXPECT_EQ(records[0].name, "Other");
    EXPECT_EQ(records[1].name, "Demo");
    EXPECT_EQ(records[1].directory, "Demo");
    EXPECT_TRUE(std::filesystem::is_directory(home.path() / "Categories" / "Global"));
    EXPECT_FALSE(std::filesystem::exists(demo / "stale.qzf"));

    engines::EngineList loaded;
    ASSERT_TRUE(engines::LoadAllCategoryEngines(home.path().string(), "Demo", "q", loaded));
    std::set<std::string> names;
    for (const auto& definition : loaded) {
        names.insert(definition->name);
        EXPECT_EQ(definition->returnNumber, 10);
        EXPECT_TRUE(definition->searchUrl.starts_with("http://127.0.0.1:4321/engine/"))
            << definition->searchUrl;
    }
    std::set<std::string> expected;
    for (const FakeEngine& engine : FakeEngine::DemoSet()) {
        expected.insert(engine.name());
    }
    EXPECT_EQ(names, expected);
}

TEST(DemoHomeTest, ABenchmarkHomeHoldsOnlyItsEngines) {
    TempHome home;
    ASSERT_FALSE(home.path().empty());
    std::string error;
    ASSERT_TRUE(WriteDemoHome(home.path(), 4321, &error)) << error;
    std::vector<FakeEngine> bench;
    for (int i = 1; i <= 12; ++i) {
        bench.push_back(FakeEngine::Bench(i, 5, 2));
    }
    ASSERT_TRUE(WriteCategoryHome(home.path(), 4321, "Bench", bench, &error)) << error;
    const auto records = ReadCategories(home.path());
    ASSERT_EQ(records.size(), 2U);
    EXPECT_EQ(records[1].name, "Bench");
    const auto files =
        engines::ListEngineFiles(engines::EngineFolder(home.path().string(), "Bench"));
    ASSERT_EQ(files.size(), 12U);
    engines::EngineRecord record;
    ASSERT_TRUE(engines::ReadEngineRecord(files.front(), record));
    EXPECT_EQ(record.Text(engines::EngineRecord::kName), "Bench 01");
    EXPECT_FALSE(WriteDemoHome("/proc/no-such-home", 1, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace

}  // namespace quexa::demo
