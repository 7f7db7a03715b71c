// The category list, the resolution of a category name and the scheme folder of a category.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "category_home.h"
#include "engines/category_list.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;
using testing::CategoryBytes;
using testing::CategoryHome;

CategoryRecord Record(std::string name, std::string directory, std::string note = {},
                      std::string icon = {}) {
    CategoryRecord record;
    record.name = std::move(name);
    record.directory = std::move(directory);
    record.note = std::move(note);
    record.iconFile = std::move(icon);
    return record;
}

std::vector<std::string> Names(const CategoryList& list) {
    std::vector<std::string> names;
    for (const CategoryEntry& entry : list.entries()) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(CategoryListTest, WithoutCategoryFileOnlyTheWebIsListed) {
    CategoryHome home;
    const CategoryList list = CategoryList::Load(home.app());
    EXPECT_EQ(Names(list), std::vector<std::string>{"The Web"});
    EXPECT_EQ(list.Select(""), 0u);
    EXPECT_EQ(list.Select("News"), 0u);
    EXPECT_EQ(list.NoteOf(0), std::string(kGlobalCategoryNote));
    EXPECT_EQ(list.StoredName(0), "Global");
}

TEST(CategoryListTest, ResolutionWithoutCategoryFile) {
    CategoryHome home;
    EXPECT_EQ(ResolveCategoryDir(home.app(), ""), "Global");
    EXPECT_EQ(ResolveCategoryDir(home.app(), "Global"), "");
    EXPECT_EQ(ResolveCategoryDir(home.app(), "News"), "");
    EXPECT_EQ(GetSchemeFolder(home.folders(), "News"), "");
    const std::string global = GetSchemeFolder(home.folders(), "gLoBaL");
    EXPECT_EQ(global, home.SchemeFolder("Global"));
    EXPECT_TRUE(fs::is_directory(global));
}

TEST(CategoryListTest, ShortFileStillListsEveryCountedRecord) {
    CategoryHome home;
    home.WriteCategoryBytes(CategoryBytes({Record("One", "one"), Record("Two", "two")}, 3));
    const CategoryList list = CategoryList::Load(home.app());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"The Web", "One", "Two", ""}));
}

TEST(CategoryListTest, BoundedCountsDecideTheEntries) {
    struct Case {
        std::int32_t stored;
        std::size_t records;
        std::size_t entries;
    };
    const std::vector<Case> cases = {{-3, 2, 1}, {0, 2, 1}, {1001, 1001, 1001}};
    for (const Case& c : cases) {
        CategoryHome home;
        home.WriteCategoryBytes(CategoryBytes(
            std::vector<CategoryRecord>(c.records, Record("Same", "same")), c.stored));
        EXPECT_EQ(CategoryList::Load(home.app()).entries().size(), c.entries) << c.stored;
    }
}

TEST(CategoryListTest, IconsAndNotes) {
    CategoryHome home;
    home.WriteCategories({Record("News", "NewsDir", "news note", "news.ico"), Record("Bare", "b")});
    const CategoryList list = CategoryList::Load(home.app());
    ASSERT_EQ(list.entries().size(), 3u);
    EXPECT_EQ(list.entries()[0].iconPath, "");
    EXPECT_EQ(fs::path(list.entries()[1].iconPath), home.Path() / "Categories" / "news.ico");
    EXPECT_EQ(list.entries()[2].iconPath, "");
    EXPECT_EQ(list.NoteOf(1), "news note");
    EXPECT_EQ(list.StoredName(1), "News");

    // Notes are read afresh; without the file the shown note stays as it was.
    home.WriteCategories({Record("News", "NewsDir", "changed note")});
    EXPECT_EQ(list.NoteOf(1), "changed note");
    fs::remove(CategoryFilePath(home.app()));
    EXPECT_EQ(list.NoteOf(1), std::nullopt);
    EXPECT_EQ(list.NoteOf(0), std::string(kGlobalCategoryNote));
}

TEST(CategoryListTest, SameNameTwice) {
    CategoryHome home;
    home.WriteCategories(
        {Record("Twin", "first"), Record("Other", "other"), Record("Twin", "second")});
    const CategoryList list = CategoryList::Load(home.app());
    EXPECT_EQ(list.Select("Twin"), 3u);
    EXPECT_EQ(ResolveCategoryDir(home.app(), "Twin"), "first");
    EXPECT_EQ(GetSchemeFolder(home.folders(), "twin"), home.SchemeFolder("first"));
}

TEST(CategoryListTest, SelectionIsExact) {
    CategoryHome home;
    home.WriteCategories({Record("News", "NewsDir"), Record("The Web", "web")});
    const CategoryList list = CategoryList::Load(home.app());
    struct Case {
        std::string last;
        std::size_t selected;
    };
    for (const Case& c : std::vector<Case>{
             {"News", 1}, {"news", 0}, {"News ", 0}, {"The Web", 2}, {"Global", 0}, {"", 0}}) {
        EXPECT_EQ(list.Select(c.last), c.selected) << c.last;
    }
}

TEST(CategoryListTest, ResolutionAndSchemeFolderByName) {
    CategoryHome home;
    home.WriteCategories({Record("News", "NewsDir"), Record("Global", "OwnGlobal")});
    struct Case {
        std::string name;
        std::string resolved;
        std::string schemeDir;  // the directory part of the scheme folder
    };
    const std::vector<Case> cases = {
        {"", "Global", "Global"},
        {"News", "NewsDir", "NewsDir"},
        // Letter case: the scheme folder is found, the search falls back to the Global category.
        {"NEWS", "Global", "NewsDir"},
        {"Nothing", "Global", ""},
        // A record may carry the name "Global"; only the exact name reaches it.
        {"Global", "OwnGlobal", "Global"},
        {"global", "Global", "Global"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveCategoryDir(home.app(), c.name), c.resolved) << c.name;
        const std::string folder = GetSchemeFolder(home.folders(), c.name);
        EXPECT_EQ(folder, home.app() + "/UserData/Scheme/" + c.schemeDir + "/") << c.name;
        EXPECT_TRUE(fs::is_directory(folder)) << c.name;
    }
}

TEST(CategoryListTest, DirectoriesThatLeaveTheirFolderAreRefused) {
    CategoryHome home;
    home.WriteCategoryBytes(CategoryBytes(
        {Record("Up", ".."), Record("Deep", "a/b"), Record("Dot", "."), Record("Empty", "")}));
    for (const std::string name : {"Up", "Deep", "Dot", "Empty"}) {
        EXPECT_EQ(ResolveCategoryDir(home.app(), name), "") << name;
        EXPECT_EQ(GetSchemeFolder(home.folders(), name), home.app() + "/UserData/Scheme//") << name;
    }
    EXPECT_FALSE(fs::exists(home.Path() / "UserData" / "a"));
}

TEST(CategoryListTest, PlainFolderNames) {
    struct Case {
        std::string directory;
        bool plain;
    };
    for (const Case& c : std::vector<Case>{{"News", true},
                                           {"two words", true},
                                           {".hidden", true},
                                           {"", false},
                                           {".", false},
                                           {"..", false},
                                           {"a/b", false},
                                           {"/", false}}) {
        EXPECT_EQ(IsPlainFolderName(c.directory), c.plain) << c.directory;
    }
}

}  // namespace
}  // namespace quexa::engines
