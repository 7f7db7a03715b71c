// quexa-cli search, verify, categories and schemes as a user runs them, against the demo engine
// farm in this process: what each fake engine yields is known in advance.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_process.h"
#include "core/keyword_history.h"
#include "core/result_list.h"
#include "core/settings_table.h"
#include "demo_farm/demo_farm.h"
#include "demo_farm/demo_home.h"
#include "engines/scheme_file.h"
#include "files/result_file.h"
#include "null_prompter.h"
#include "platform/settings_store.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

namespace settings = core::settings;
using demo::FakeEngine;
using demo::LocationKind;
using nlohmann::json;

constexpr const char* kQuery = "solar kite";
constexpr int kSystemReturnNumber = 10;
constexpr int kInterruptedExit = 130;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<json> JsonLines(const std::string& text) {
    std::vector<json> objects;
    for (const std::string& line : Lines(text)) {
        objects.push_back(json::parse(line));
    }
    return objects;
}

const FakeEngine& DemoEngine(const std::string& key) {
    for (const FakeEngine& engine : FakeEngine::DemoSet()) {
        if (engine.key() == key) {
            return engine;
        }
    }
    throw std::runtime_error("no demo engine " + key);
}

// The kind a farm location answers as, from its path "/loc/KIND/ID".
LocationKind KindOf(const std::string& location) {
    const std::size_t start = location.find("/loc/") + 5;
    const auto kind =
        demo::ParseLocationKind(location.substr(start, location.find('/', start) - start));
    if (!kind) {
        throw std::runtime_error("not a farm location: " + location);
    }
    return *kind;
}

// What verification makes of each kind: redirects are followed to a location that answers 200,
// 500 may come back later, no answer is as bad as 404.
core::StatusCode VerifiedStatus(LocationKind kind) {
    static const std::map<LocationKind, core::StatusCode> statuses{
        {LocationKind::kOk, core::StatusCode::Reachable},
        {LocationKind::kMovedPermanently, core::StatusCode::Reachable},
        {LocationKind::kFound, core::StatusCode::Reachable},
        {LocationKind::kNotFound, core::StatusCode::Unreachable},
        {LocationKind::kServerError, core::StatusCode::Unknown},
        {LocationKind::kNever, core::StatusCode::Unreachable},
    };
    return statuses.at(kind);
}

demo::DemoFarm::Options FarmOptions() {
    demo::DemoFarm::Options options;
    options.holdLimit = std::chrono::seconds(5);
    return options;
}

class SearchCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(farm.Start(0, &error)) << error;
        ASSERT_TRUE(demo::WriteDemoHome(home.Path(), farm.port(), &error)) << error;
        ASSERT_TRUE(demo::WriteCategoryHome(home.Path(), farm.port(), "Statuses",
                                            {DemoEngine("statuses")}, &error))
            << error;
        // A location that never answers gives up after a second.
        settings::kVerifyTimeout.Write(Profile(), 1);
    }

    platform::SettingsStore& Profile() {
        if (profile_ == nullptr) {
            profile_ =
                std::make_unique<platform::SettingsStore>(home.File("settings.conf").string());
        }
        return *profile_;
    }

    quexa::testing::CliResult Cli(const std::vector<std::string>& arguments) {
        return quexa::testing::RunCli(Arguments(arguments), Options());
    }
    quexa::testing::CliOptions Options() const {
        quexa::testing::CliOptions options;
        options.folder = home.Path();
        return options;
    }
    std::vector<std::string> Arguments(const std::vector<std::string>& arguments) {
        // The child writes the profile too: read it afresh afterwards.
        profile_.reset();
        std::vector<std::string> all{"--home", home.Path().string(), "--settings",
                                     home.File("settings.conf").string()};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return all;
    }

    std::optional<files::ResultFileHeader> LoadFile(const std::string& path,
                                                    core::ResultList& list) {
        files::LoadedFile loaded = files::LoadResultFile(path, list, {});
        return loaded.Loaded() ? std::optional(loaded.header) : std::nullopt;
    }

    quexa::testing::TempFolder home;
    demo::DemoFarm farm{FarmOptions()};

  private:
    std::unique_ptr<platform::SettingsStore> profile_;
};

TEST_F(SearchCliTest, SearchListsWhatEveryEngineYieldsOnce) {
    const auto result = Cli({"search", "--category", "Demo", "--json", "solar", "kite"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::set<std::string> expectedLocations;
    for (const FakeEngine& engine : FakeEngine::DemoSet()) {
        for (const auto& item : engine.ExpectedSearch(kQuery, kSystemReturnNumber, farm.port())) {
            expectedLocations.insert(item.location);
        }
    }
    std::set<std::string> listed;
    const std::vector<json> items = JsonLines(result.out);
    for (const json& object : items) {
        const std::set<std::string> keys{"title",  "location", "target",  "preview",
                                         "status", "visit",    "selected"};
        std::set<std::string> found;
        for (const auto& [key, value] : object.items()) {
            found.insert(key);
        }
        EXPECT_EQ(found, keys);
        EXPECT_EQ(object.at("status"), "Normal");
        EXPECT_EQ(object.at("visit"), "Without Visit");
        EXPECT_EQ(object.at("selected"), false);
        // Of the engines sharing a location, the one listed first keeps it.
        const demo::ExpectedItem item{object.at("title"), object.at("location"),
                                      object.at("preview")};
        bool fromItsEngine = false;
        for (const FakeEngine& engine : FakeEngine::DemoSet()) {
            if (engine.name() == object.at("target")) {
                const auto yields = engine.ExpectedSearch(kQuery, kSystemReturnNumber, farm.port());
                fromItsEngine = std::find(yields.begin(), yields.end(), item) != yields.end();
            }
        }
        EXPECT_TRUE(fromItsEngine) << object.dump();
        EXPECT_TRUE(listed.insert(item.location).second) << "listed twice: " << item.location;
    }
    EXPECT_EQ(listed, expectedLocations);

    // The table lists the same items, one per line after the headings.
    const auto table = Cli({"search", "--category", "Demo", "solar", "kite"});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    const std::vector<std::string> lines = Lines(table.out);
    ASSERT_EQ(lines.size(), items.size() + 1);
    EXPECT_EQ(lines[0].substr(0, 6), "STATUS");
    for (std::size_t row = 1; row < lines.size(); ++row) {
        const std::string location = lines[row].substr(lines[row].rfind(' ') + 1);
        EXPECT_EQ(expectedLocations.count(location), 1u) << lines[row];
    }
}

TEST_F(SearchCliTest, SearchRemembersWhatTheWizardWould) {
    ASSERT_EQ(Cli({"search", "--category", "Statuses", "Solar", "Kite "}).exitCode, 0);
    // The same query in other letters is not a new history entry, but is the last query.
    ASSERT_EQ(Cli({"search", "--category", "Statuses", "--verify", "solar kite"}).exitCode, 0);
    EXPECT_EQ(settings::kLastCategory.Read(Profile()), "Statuses");
    EXPECT_EQ(settings::kInternetKeywords.Read(Profile()), "solar kite");
    EXPECT_EQ(settings::kAutoVerify.Read(Profile()), 1);
    EXPECT_EQ(core::KeywordHistory::Internet().Load(Profile()),
              std::vector<std::string>{"Solar Kite"});

    // Without --category the remembered one is searched.
    const auto again = Cli({"search", "--json", "comet"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    const std::vector<json> items = JsonLines(again.out);
    ASSERT_EQ(items.size(), DemoEngine("statuses").ExpectedSearch("comet", 10, farm.port()).size());
    for (const json& item : items) {
        EXPECT_EQ(item.at("target"), DemoEngine("statuses").name());
    }
    EXPECT_EQ(settings::kAutoVerify.Read(Profile()), 0);
    EXPECT_EQ(core::KeywordHistory::Internet().Load(Profile()),
              (std::vector<std::string>{"Solar Kite", "comet"}));
}

// The statuses a verification leaves, after a search or over a saved file, with and without
// deleting unreachable items.
struct VerifyCase {
    std::string name;
    bool afterSearch;  // search --verify, else search --save then verify FILE --save
    int deleteUnreachable;
};

class VerifyCliTest : public SearchCliTest, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(VerifyCliTest, StatusesFollowTheLocationKinds) {
    const VerifyCase& c = GetParam();
    settings::kDeleteUnreachable.Write(Profile(), c.deleteUnreachable);
    const std::string file = home.File("statuses.qzr").string();
    quexa::testing::CliResult result;
    if (c.afterSearch) {
        result =
            Cli({"search", "--category", "Statuses", "--verify", "--save", file, "--json", kQuery});
    } else {
        ASSERT_EQ(Cli({"search", "--category", "Statuses", "--save", file, kQuery}).exitCode, 0);
        result = Cli({"verify", file, "--save", "--json"});
    }
    ASSERT_EQ(result.exitCode, 0) << result.err;

    std::vector<std::pair<std::string, std::string>> expected;
    for (const auto& item : DemoEngine("statuses").ExpectedSearch(kQuery, 10, farm.port())) {
        const core::StatusCode status = VerifiedStatus(KindOf(item.location));
        if (!(c.deleteUnreachable != 0 && status == core::StatusCode::Unreachable)) {
            expected.emplace_back(item.location, std::string(core::StatusText(status)));
        }
    }
    std::vector<std::pair<std::string, std::string>> printed;
    for (const json& item : JsonLines(result.out)) {
        printed.emplace_back(item.at("location"), item.at("status"));
    }
    EXPECT_EQ(printed, expected);

    core::ResultList list;
    const auto header = LoadFile(file, list);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->mode, files::ResultFileHeader::kInternetMode);
    EXPECT_EQ(header->keywords, kQuery);
    std::vector<std::pair<std::string, std::string>> saved;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        saved.emplace_back(list.Item(row).location,
                           std::string(core::StatusText(list.Item(row).status)));
    }
    EXPECT_EQ(saved, expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, VerifyCliTest,
                         ::testing::Values(VerifyCase{"after_search_kept", true, 0},
                                           VerifyCase{"after_search_deleted", true, 1},
                                           VerifyCase{"file_kept", false, 0},
                                           VerifyCase{"file_deleted", false, 1}),
                         [](const ::testing::TestParamInfo<VerifyCase>& param) {
                             return param.param.name;
                         });

TEST_F(SearchCliTest, ASchemeThatSelectsNoEngineIsAnError) {
    std::string error;
    ASSERT_TRUE(demo::WriteCategoryHome(home.Path(), farm.port(), "Empty", {}, &error)) << error;
    const auto result = Cli({"search", "--category", "Empty", "solar"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Error: nothing was searched: the scheme selects no engine"),
              std::string::npos)
        << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
}

TEST_F(SearchCliTest, CategoriesAndSchemesAsTheWizardListsThem) {
    const auto categories = Cli({"categories"});
    ASSERT_EQ(categories.exitCode, 0) << categories.err;
    EXPECT_EQ(Lines(categories.out), (std::vector<std::string>{"Global", "Demo", "Statuses"}));

    const std::vector<engines::SchemeEntry> entries{
        {DemoEngine("numbered").name(), 3, 1},
        {DemoEngine("markup").name(), 2, 1},
        {DemoEngine("statuses").name(), 5, 0},
    };
    const auto folder = home.Path() / "UserData" / "Scheme" / "Demo";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(engines::SchemeFile::Save(folder / "Two.scm", "two engines", entries));

    const auto schemes = Cli({"schemes", "Demo"});
    ASSERT_EQ(schemes.exitCode, 0) << schemes.err;
    EXPECT_EQ(Lines(schemes.out),
              (std::vector<std::string>{"System Scheme\tThis scheme is holdded by system, you "
                                        "can use this scheme, but can not edit it!",
                                        "Two\ttwo engines"}));

    // A search with the scheme takes only its selected engines, as many items as each is given.
    const auto search = Cli({"search", "--category", "Demo", "--scheme", "Two", "--json", kQuery});
    ASSERT_EQ(search.exitCode, 0) << search.err;
    std::map<std::string, int> perEngine;
    for (const json& item : JsonLines(search.out)) {
        ++perEngine[item.at("target")];
    }
    EXPECT_EQ(perEngine,
              (std::map<std::string, int>{{entries[0].engineName, 3}, {entries[1].engineName, 2}}));
    const auto remembered = Cli({"schemes", "The Web", "--json"});
    ASSERT_EQ(remembered.exitCode, 0) << remembered.err;
    EXPECT_EQ(JsonLines(remembered.out).at(0).at("remembered"), true);
    const auto demo = JsonLines(Cli({"schemes", "Demo", "--json"}).out);
    ASSERT_EQ(demo.size(), 2u);
    EXPECT_EQ(demo[0].at("remembered"), false);
    EXPECT_EQ(demo[1].at("remembered"), true);
}

// Mistakes on the command line end with a message on stderr, exit code 1 and nothing listed.
struct MistakeCase {
    std::string name;
    std::vector<std::string> arguments;
    std::string message;
};

class MistakeTest : public SearchCliTest, public ::testing::WithParamInterface<MistakeCase> {};

TEST_P(MistakeTest, EndsWithAnErrorAndNothingListed) {
    const MistakeCase& c = GetParam();
    const auto result = Cli(c.arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(farm.TotalRequests(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, MistakeTest,
    ::testing::Values(
        MistakeCase{"unknown_category",
                    {"search", "--category", "Nowhere", kQuery},
                    "unknown category \"Nowhere\""},
        MistakeCase{"unknown_scheme",
                    {"search", "--category", "Demo", "--scheme", "Nowhere", kQuery},
                    "unknown scheme \"Nowhere\""},
        MistakeCase{"blank_query",
                    {"search", "--category", "Demo", "  "},
                    "Please input at least one key word what you want to search !"},
        MistakeCase{
            "schemes_of_unknown_category", {"schemes", "Nowhere"}, "unknown category \"Nowhere\""},
        MistakeCase{"missing_file", {"verify", "missing.qzr"}, "can't load missing.qzr"}),
    [](const ::testing::TestParamInfo<MistakeCase>& param) { return param.param.name; });

bool WaitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST_F(SearchCliTest, CtrlCStopsTheSearchAndKeepsWhatWasFound) {
    const FakeEngine engine = FakeEngine::Bench(1, 5, 2);
    std::string error;
    ASSERT_TRUE(demo::WriteCategoryHome(home.Path(), farm.port(), "Hang", {engine}, &error))
        << error;
    farm.SetEngineLatency(engine.key(), std::chrono::milliseconds(300));
    const std::string file = home.File("stopped.qzr").string();
    quexa::testing::CliProcess child(
        Arguments({"search", "--category", "Hang", "--json", "--save", file, kQuery}), Options());
    // Page 1 is in; page 2 is on its way; everything after it hangs.
    ASSERT_TRUE(WaitFor([&] { return farm.RequestCount(engine.SearchPath()) >= 2; }));
    farm.SetHangEngines(true);
    ASSERT_TRUE(WaitFor([&] { return farm.HeldRequests() >= 1; }));
    child.Signal(SIGINT);
    const auto result = child.Wait();
    EXPECT_EQ(result.exitCode, kInterruptedExit) << result.err;

    const auto all = engine.ExpectedSearch(kQuery, kSystemReturnNumber, farm.port());
    const std::vector<json> items = JsonLines(result.out);
    ASSERT_FALSE(items.empty());
    ASSERT_LT(items.size(), all.size());
    for (std::size_t row = 0; row < items.size(); ++row) {
        EXPECT_EQ(items[row].at("location"), all[row].location) << row;
    }
    core::ResultList list;
    ASSERT_TRUE(LoadFile(file, list).has_value());
    EXPECT_EQ(list.Count(), items.size());
}

}  // namespace
}  // namespace quexa::test
