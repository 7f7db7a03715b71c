// Loading a search's engines: the system scheme, scheme files and the resolution at search start.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "category_home.h"
#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "engines/category_list.h"
#include "engines/engine_loader.h"
#include "engines/scheme_list.h"
#include "temp_folder.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;
using quexa::testing::WriteAll;
using testing::CategoryHome;
using testing::SchemeBytes;
using Loaded = std::vector<std::pair<std::string, int>>;

SchemeEntry Entry(std::string name, std::int32_t number, std::uint8_t flag = 1) {
    return SchemeEntry{std::move(name), number, flag};
}

Loaded Summary(const EngineList& engines) {
    Loaded loaded;
    for (const auto& engine : engines) {
        loaded.emplace_back(engine->name, engine->returnNumber);
    }
    return loaded;
}

CategoryRecord Record(std::string name, std::string directory) {
    CategoryRecord record;
    record.name = std::move(name);
    record.directory = std::move(directory);
    return record;
}

class EngineLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home_.AddEngine("Global", "b.qzf", "Bravo", "http://bravo.example/");
        home_.AddEngine("Global", "A.QZF", "Alpha");
        home_.AddEngine("Global", "c.qzf", "Charlie");
        // Not engines: a short file, another extension, a folder.
        WriteAll(home_.Path() / "Categories" / "Global" / "broken.qzf", "QZRA short");
        WriteAll(home_.Path() / "Categories" / "Global" / "d.txt", "x");
        fs::create_directories(home_.Path() / "Categories" / "Global" / "e.qzf");
    }

    EngineList LoadScheme(const std::string& bytes, bool expected = true) {
        const std::string path = home_.WriteScheme("Global", "s", bytes);
        EngineList engines;
        EXPECT_EQ(LoadSchemeEngines(home_.app(), "Global", "q", path, engines), expected);
        return engines;
    }

    CategoryHome home_;
    core::MemoryProfile profile_;
};

TEST_F(EngineLoaderTest, SystemSchemeTakesEveryReadableEngineWithTen) {
    EngineList engines;
    ASSERT_TRUE(LoadAllCategoryEngines(home_.app(), "Global", "news game", engines));
    EXPECT_EQ(Summary(engines), (Loaded{{"Alpha", 10}, {"Bravo", 10}, {"Charlie", 10}}));
    EXPECT_EQ(engines[1]->searchUrl, "http://bravo.example/");
    EXPECT_EQ(engines[1]->query, "news game");
}

TEST_F(EngineLoaderTest, SystemSchemeAppendsAndAcceptsEmptyFolders) {
    EngineList engines;
    ASSERT_TRUE(LoadAllCategoryEngines(home_.app(), "Global", "q", engines));
    ASSERT_TRUE(LoadAllCategoryEngines(home_.app(), "Nowhere", "q", engines));
    fs::create_directories(home_.Path() / "Categories" / "Empty");
    ASSERT_TRUE(LoadAllCategoryEngines(home_.app(), "Empty", "q", engines));
    EXPECT_EQ(engines.size(), 3u);
}

TEST_F(EngineLoaderTest, SchemeOrderAndReturnNumbers) {
    const EngineList engines = LoadScheme(SchemeBytes(
        "", {Entry("Charlie", 25), Entry("Alpha", -1), Entry("Bravo", 7, 0), Entry("Gone", 5)}));
    EXPECT_EQ(Summary(engines), (Loaded{{"Charlie", 25}, {"Alpha", -1}}));
}

TEST_F(EngineLoaderTest, SchemeEntriesMatchNamesExactly) {
    const EngineList engines = LoadScheme(
        SchemeBytes("", {Entry("alpha", 1), Entry("Alpha ", 2), Entry("ALPHA", 3), Entry("", 4)}));
    EXPECT_TRUE(engines.empty());
}

TEST_F(EngineLoaderTest, OnlyFlagOneTakesPart) {
    const EngineList engines = LoadScheme(
        SchemeBytes("", {Entry("Alpha", 1, 0), Entry("Bravo", 2, 2), Entry("Charlie", 3, 255)}));
    EXPECT_TRUE(engines.empty());
}

TEST_F(EngineLoaderTest, EngineNamedTwiceLoadsTwice) {
    const EngineList engines =
        LoadScheme(SchemeBytes("", {Entry("Bravo", 4), Entry("Alpha", 5), Entry("Bravo", 6)}));
    EXPECT_EQ(Summary(engines), (Loaded{{"Bravo", 4}, {"Alpha", 5}, {"Bravo", 6}}));
}

TEST_F(EngineLoaderTest, FirstListedFileOfTwinEnginesIsUsed) {
    home_.AddEngine("Global", "0-first.qzf", "Twin", "http://first.example/");
    home_.AddEngine("Global", "z-second.qzf", "Twin", "http://second.example/");
    const EngineList engines = LoadScheme(SchemeBytes("", {Entry("Twin", 3)}));
    ASSERT_EQ(engines.size(), 1u);
    EXPECT_EQ(engines[0]->searchUrl, "http://first.example/");
}

TEST_F(EngineLoaderTest, SchemeHeaderIsNotValidatedButItsGapIsHonoured) {
    const EngineList engines =
        LoadScheme(SchemeBytes("", {Entry("Bravo", 12)}, 10, std::nullopt, "XXXX"));
    EXPECT_EQ(Summary(engines), (Loaded{{"Bravo", 12}}));
}

TEST_F(EngineLoaderTest, DamagedSchemesLoadWhatTheyHold) {
    // A count beyond the entries, a file cut inside an entry, a file shorter than its header.
    EXPECT_EQ(Summary(LoadScheme(SchemeBytes("", {Entry("Alpha", 2)}, 0, ~0u))),
              (Loaded{{"Alpha", 2}}));
    EXPECT_TRUE(LoadScheme(SchemeBytes("", {Entry("Alpha", 2)}).substr(0, 300)).empty());
    EXPECT_TRUE(LoadScheme("SCMA").empty());
    EXPECT_TRUE(LoadScheme("").empty());
}

TEST_F(EngineLoaderTest, UnopenableSchemeFails) {
    EngineList engines;
    EXPECT_FALSE(LoadSchemeEngines(home_.app(), "Global", "q",
                                   home_.SchemeFolder("Global") + "missing.scm", engines));
    EXPECT_TRUE(engines.empty());
}

TEST_F(EngineLoaderTest, FirstRunUsesEveryGlobalEngine) {
    const SearchEngines search = ResolveSearchEngines(home_.app(), profile_, "q");
    EXPECT_EQ(search.outcome, SearchEngines::Outcome::Loaded);
    EXPECT_EQ(search.directory, "Global");
    EXPECT_EQ(search.schemePath, "");
    EXPECT_EQ(Summary(search.engines), (Loaded{{"Alpha", 10}, {"Bravo", 10}, {"Charlie", 10}}));
    // What the wizard shows on a first run.
    EXPECT_EQ(CategoryList::Load(home_.app()).Select(core::settings::kLastCategory.Read(profile_)),
              0u);
    const std::string folder = GetSchemeFolder(home_.folders(), "");
    EXPECT_EQ(
        SelectRememberedScheme(ListSchemes(folder), folder, GetLastScheme(profile_, "Global")), 0u);
}

TEST_F(EngineLoaderTest, ResolutionOfTheRememberedCategory) {
    home_.AddEngine("NewsDir", "n.qzf", "Newsy");
    struct Case {
        std::string lastCategory;
        bool categoryFile;
        SearchEngines::Outcome outcome;
        std::string directory;
    };
    const std::vector<Case> cases = {
        {"", false, SearchEngines::Outcome::Loaded, "Global"},
        {"Global", false, SearchEngines::Outcome::CategoryMissing, ""},
        {"News", false, SearchEngines::Outcome::CategoryMissing, ""},
        {"News", true, SearchEngines::Outcome::Loaded, "NewsDir"},
        {"news", true, SearchEngines::Outcome::Loaded, "Global"},
        {"Unknown", true, SearchEngines::Outcome::Loaded, "Global"},
        {"Global", true, SearchEngines::Outcome::Loaded, "Global"},
    };
    for (const Case& c : cases) {
        fs::remove(CategoryFilePath(home_.app()));
        if (c.categoryFile) {
            home_.WriteCategories({Record("News", "NewsDir")});
        }
        core::settings::kLastCategory.Write(profile_, c.lastCategory);
        const SearchEngines search = ResolveSearchEngines(home_.app(), profile_, "q");
        EXPECT_EQ(search.outcome, c.outcome) << c.lastCategory << " " << c.categoryFile;
        EXPECT_EQ(search.directory, c.directory) << c.lastCategory << " " << c.categoryFile;
        if (c.directory == "NewsDir") {
            EXPECT_EQ(Summary(search.engines), (Loaded{{"Newsy", 10}}));
        }
    }
}

TEST_F(EngineLoaderTest, RememberedSchemeOfTheResolvedCategory) {
    const std::string path =
        home_.WriteScheme("Global", "Mine", SchemeBytes("", {Entry("Bravo", 30)}));
    SetLastScheme(profile_, "Global", path);
    SearchEngines search = ResolveSearchEngines(home_.app(), profile_, "q");
    EXPECT_EQ(search.outcome, SearchEngines::Outcome::Loaded);
    EXPECT_EQ(search.schemePath, path);
    EXPECT_EQ(Summary(search.engines), (Loaded{{"Bravo", 30}}));

    // All entries unselected: the search gets no engine at all.
    home_.WriteScheme("Global", "Mine", SchemeBytes("", {Entry("Bravo", 30, 0)}));
    search = ResolveSearchEngines(home_.app(), profile_, "q");
    EXPECT_EQ(search.outcome, SearchEngines::Outcome::Loaded);
    EXPECT_TRUE(search.engines.empty());
}

TEST_F(EngineLoaderTest, DeletedRememberedSchemeUntilTheWizardPassesAgain) {
    const std::string path =
        home_.WriteScheme("Global", "Mine", SchemeBytes("", {Entry("Bravo", 30)}));
    SetLastScheme(profile_, "Global", path);
    fs::remove(path);
    EXPECT_EQ(ResolveSearchEngines(home_.app(), profile_, "q").outcome,
              SearchEngines::Outcome::SchemeUnreadable);

    // Step 2 of the wizard: the remembered file is gone, the system scheme is selected and stored.
    const std::string folder = GetSchemeFolder(home_.folders(), "");
    const std::vector<std::string> schemes = ListSchemes(folder);
    const std::size_t selected =
        SelectRememberedScheme(schemes, folder, GetLastScheme(profile_, "Global"));
    EXPECT_EQ(selected, 0u);
    SetLastScheme(profile_, ResolveCategoryDir(home_.app(), ""),
                  RememberedSchemeValue(schemes, folder, selected));
    const SearchEngines search = ResolveSearchEngines(home_.app(), profile_, "q");
    EXPECT_EQ(search.outcome, SearchEngines::Outcome::Loaded);
    EXPECT_EQ(search.engines.size(), 3u);
}

TEST_F(EngineLoaderTest, ShippedEngineFilesAreLeftAsTheyAre) {
    const fs::path file = home_.Path() / "Categories" / "Global" / "b.qzf";
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(file, readOnly);
    const std::string before = quexa::testing::ReadAll(file);
    EngineList engines;
    ASSERT_TRUE(LoadAllCategoryEngines(home_.app(), "Global", "q", engines));
    EXPECT_EQ(engines.size(), 3u);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, readOnly);
    EXPECT_EQ(quexa::testing::ReadAll(file), before);
}

TEST_F(EngineLoaderTest, EngineFilesInNameOrder) {
    const std::vector<fs::path> files = ListEngineFiles(EngineFolder(home_.app(), "Global"));
    std::vector<std::string> names;
    for (const fs::path& file : files) {
        names.push_back(file.filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A.QZF", "b.qzf", "broken.qzf", "c.qzf"}));
    EXPECT_EQ(EngineFolder("/q", "News"), "/q/Categories/News/");
}

}  // namespace
}  // namespace quexa::engines
