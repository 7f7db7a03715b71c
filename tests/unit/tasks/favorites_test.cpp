#include "tasks/favorites.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/result_list.h"
#include "files/result_file.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using quexa::testing::ReadAll;
using quexa::testing::ScriptedPrompter;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;

core::ResultItem Item(std::string title, std::string location) {
    core::ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = "Wiby";
    item.status = core::StatusCode::Reachable;
    item.selected = true;
    return item;
}

std::vector<std::string> Locations(const fs::path& path) {
    core::ResultList list;
    files::LoadResultFile(path, list, files::LoadOptions{});
    std::vector<std::string> locations;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        locations.push_back(list.Item(row).location);
    }
    return locations;
}

class FavoritesTest : public ::testing::Test {
  protected:
    TempFolder temp_;
    Favorites favorites_{temp_.Path() / "data"};
    ScriptedPrompter prompter_;
};

TEST_F(FavoritesTest, SetUpMakesEveryResultFolder) {
    fs::create_directories(temp_.Path() / "data" / "Data" / "Internet");
    EXPECT_TRUE(favorites_.EnsureFolders());
    for (const char* folder : {"Data/Internet", "Data/Intranet", "Data/MyFav", "Temp/wan/broken"}) {
        EXPECT_TRUE(fs::is_directory(temp_.Path() / "data" / folder)) << folder;
    }
    WriteAll(temp_.File("file"), "x");
    EXPECT_FALSE(Favorites(temp_.File("file")).EnsureFolders());
}

TEST_F(FavoritesTest, RowsGoBehindTheFavouritesOnceEach) {
    const fs::path file = temp_.Path() / "data" / "Data" / "MyFav" / "Favorites.qzr";
    EXPECT_EQ(favorites_.FilePath(), file);
    const struct {
        core::ResultItem item;
        Favorites::Outcome outcome;
    } steps[] = {
        {Item("Solar wind", "https://example.org/solar"), Favorites::Outcome::Added},
        {Item("Tides", "/srv/notes/tides.txt"), Favorites::Outcome::Added},
        {Item("Again", "HTTPS://EXAMPLE.ORG/SOLAR"), Favorites::Outcome::AlreadyThere},
        {Item("Moon", "https://example.org/moon"), Favorites::Outcome::Added},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(favorites_.Add(step.item, "ana", prompter_), step.outcome) << step.item.title;
    }
    EXPECT_EQ(Locations(file),
              (std::vector<std::string>{"https://example.org/solar", "/srv/notes/tides.txt",
                                        "https://example.org/moon"}));
    const std::optional<files::ResultFileHeader> header = files::ReadResultFileHeader(file);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->author, "ana");
    EXPECT_TRUE(prompter_.boxes.empty());

    core::ResultList list;
    files::LoadResultFile(file, list, files::LoadOptions{});
    EXPECT_FALSE(list.Item(0).selected);
    EXPECT_EQ(list.Item(0).searchTarget, "Wiby");
}

TEST_F(FavoritesTest, AnUnreadableFileIsLeftAsItIs) {
    const fs::path file = favorites_.FilePath();
    fs::create_directories(file.parent_path());
    WriteAll(file, "not a result file");
    EXPECT_EQ(favorites_.Add(Item("Moon", "https://example.org/moon"), "", prompter_),
              Favorites::Outcome::Failed);
    EXPECT_EQ(ReadAll(file), "not a result file");
    EXPECT_FALSE(prompter_.boxes.empty());
}

TEST_F(FavoritesTest, AProtectedFileNeedsItsPassword) {
    core::ResultList list;
    list.AddItem(0, Item("Old", "https://example.org/old"));
    files::ResultFileHeader header;
    header.SetPassword("secret");
    const fs::path file = favorites_.FilePath();
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(files::WriteResultFile(file, list, header));

    prompter_.passwords.push_back(std::nullopt);
    EXPECT_EQ(favorites_.Add(Item("New", "https://example.org/new"), "", prompter_),
              Favorites::Outcome::Failed);
    prompter_.passwords.push_back("secret");
    EXPECT_EQ(favorites_.Add(Item("New", "https://example.org/new"), "", prompter_),
              Favorites::Outcome::Added);
    EXPECT_EQ(Locations(file),
              (std::vector<std::string>{"https://example.org/old", "https://example.org/new"}));
    EXPECT_TRUE(files::ReadResultFileHeader(file)->IsProtected());
}

}  // namespace
}  // namespace quexa::tasks
