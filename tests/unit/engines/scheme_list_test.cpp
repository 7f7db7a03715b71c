// Scheme lists, notes, the remembered scheme and the folder helpers beneath them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "category_home.h"
#include "core/memory_profile.h"
#include "engines/folder_path.h"
#include "engines/scheme_list.h"
#include "temp_folder.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;
using testing::CategoryHome;
using testing::SchemeBytes;

TEST(SchemeListTest, SystemSchemeFirstThenTheFolderInNameOrder) {
    CategoryHome home;
    for (const std::string name : {"beta", "Alpha", "gamma", "System Scheme", "system scheme",
                                   "  SYSTEM SCHEME\t", " padded "}) {
        home.WriteScheme("Global", name, SchemeBytes("", {}));
    }
    const std::string folder = home.SchemeFolder("Global");
    WriteAll(folder + "notes.txt", "x");
    WriteAll(folder + "upper.SCM", SchemeBytes("", {}));
    WriteAll(folder + ".scm", SchemeBytes("", {}));
    fs::create_directories(folder + "folder.scm");
    EXPECT_EQ(ListSchemes(folder),
              (std::vector<std::string>{"System Scheme", " padded ", "Alpha", "beta", "gamma"}));
}

TEST(SchemeListTest, MissingFolderListsTheSystemSchemeOnly) {
    CategoryHome home;
    EXPECT_EQ(ListSchemes(home.SchemeFolder("None")), std::vector<std::string>{"System Scheme"});
    EXPECT_EQ(ListSchemes(""), std::vector<std::string>{"System Scheme"});
}

TEST(SchemeListTest, NotesOfValidFilesOnly) {
    CategoryHome home;
    const std::string good = home.WriteScheme("Global", "good", SchemeBytes("a note", {}));
    const std::string bad =
        home.WriteScheme("Global", "bad", SchemeBytes("hidden", {}, 0, std::nullopt, "SCMB"));
    const std::string cut =
        home.WriteScheme("Global", "cut", SchemeBytes("short", {}).substr(0, 200));
    EXPECT_EQ(ReadSchemeNote(good), "a note");
    EXPECT_EQ(ReadSchemeNote(bad), "");
    EXPECT_EQ(ReadSchemeNote(cut), "");
    EXPECT_EQ(ReadSchemeNote(home.SchemeFolder("Global") + "missing.scm"), "");
}

TEST(SchemeListTest, RememberedSchemeSelection) {
    const std::string folder = "/q/UserData/Scheme/News/";
    const std::vector<std::string> schemes = {"System Scheme", "Fast", "Deep", "fast"};
    struct Case {
        std::string stored;
        std::size_t selected;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"/q/UserData/Scheme/News/Deep.scm", 2},
        {"/Q/USERDATA/scheme/news/DEEP.SCM", 2},
        {"//q///UserData/Scheme//News/Deep.scm", 2},
        {"  /q/UserData/Scheme/News/Deep.scm\t", 2},
        // Letter case ignored: the first of two equal entries.
        {"/q/UserData/Scheme/News/fast.scm", 1},
        {"/q/UserData/Scheme/News/Gone.scm", 0},
        {"/q/UserData/Scheme/Other/Deep.scm", 0},
        {"/q/UserData/Scheme/News/Deep", 0},
        {"/q/UserData/Scheme/News/System Scheme.scm", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectRememberedScheme(schemes, folder, c.stored), c.selected) << c.stored;
    }
}

TEST(SchemeListTest, RememberedValue) {
    const std::vector<std::string> schemes = {"System Scheme", "Fast"};
    EXPECT_EQ(RememberedSchemeValue(schemes, "/q/UserData/Scheme/News/", 0), "");
    EXPECT_EQ(RememberedSchemeValue(schemes, "/q/UserData/Scheme/News/", 1),
              "/q/UserData/Scheme/News/Fast.scm");
    EXPECT_EQ(RememberedSchemeValue(schemes, "/q/UserData/Scheme//", 1),
              "/q/UserData/Scheme/Fast.scm");
    EXPECT_EQ(RememberedSchemeValue(schemes, "/q/", 2), "");
    EXPECT_EQ(SchemePath("/q/", "Fast"), "/q/Fast.scm");
}

TEST(SchemeListTest, LastSchemeLivesInTheProfile) {
    core::MemoryProfile profile;
    EXPECT_EQ(GetLastScheme(profile, "News"), "");
    SetLastScheme(profile, "News", "/q/News/Fast.scm");
    SetLastScheme(profile, "Global", "/q/Global/All.scm");
    EXPECT_EQ(profile.GetString("UserData\\Scheme", "News.LastScheme"), "/q/News/Fast.scm");
    EXPECT_EQ(GetLastScheme(profile, "News"), "/q/News/Fast.scm");
    EXPECT_EQ(GetLastScheme(profile, "Global"), "/q/Global/All.scm");
    EXPECT_EQ(GetLastScheme(profile, "Music"), "");
    SetLastScheme(profile, "News", "");
    EXPECT_EQ(GetLastScheme(profile, "News"), "");
}

TEST(FolderPathTest, EnsureFolderPath) {
    TempFolder folder;
    const std::string root = folder.Path().string();
    WriteAll(folder.File("file"), "x");
    struct Case {
        std::string path;
        bool result;
    };
    const std::vector<Case> cases = {
        {root, true},
        {root + "/a/b/c", true},
        {root + "/a/b/c", true},
        {root + "/d/e/", true},
        {root + "/UserData/Scheme//", true},
        {root + "/f//g///", true},
        {root + "/file", false},
        {root + "/file/below", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EnsureFolderPath(c.path), c.result) << c.path;
        if (c.result) {
            EXPECT_TRUE(fs::is_directory(c.path)) << c.path;
        }
    }
    EXPECT_TRUE(fs::is_regular_file(folder.File("file")));
}

TEST(FolderPathTest, SamePath) {
    struct Case {
        std::string left;
        std::string right;
        bool same;
    };
    for (const Case& c : std::vector<Case>{{"/a/b.scm", "/A/B.SCM", true},
                                           {"/a//b.scm", "/a/b.scm", true},
                                           {" /a/b.scm ", "/a/b.scm", true},
                                           {"/a/b.scm", "/a/c.scm", false},
                                           {"/a/b.scm", "/a/b .scm", false},
                                           {"", "", true},
                                           {"", "/", false}}) {
        EXPECT_EQ(SamePath(c.left, c.right), c.same) << c.left << " | " << c.right;
    }
}

TEST(FolderPathTest, WritabilityTest) {
    TempFolder folder;
    const fs::path test = folder.File("123.tmp");
    EXPECT_TRUE(IsFolderWritable(folder.Path().string()));
    EXPECT_FALSE(fs::exists(test));

    WriteAll(test, "kept");
    EXPECT_TRUE(IsFolderWritable(folder.Path().string()));
    EXPECT_TRUE(fs::exists(test));

    // A read-only test file is made writable and counts as not writable this one time.
    fs::permissions(test, fs::perms::owner_read);
    EXPECT_FALSE(IsFolderWritable(folder.Path().string()));
    EXPECT_NE(fs::status(test).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_TRUE(IsFolderWritable(folder.Path().string()));

    // A folder that can't take files: here a path through a file.
    WriteAll(folder.File("plain"), "x");
    EXPECT_FALSE(IsFolderWritable(folder.File("plain").string()));
    EXPECT_FALSE(IsFolderWritable(folder.File("missing").string()));
}

TEST(FolderPathTest, NameOrderIgnoresCaseFirst) {
    std::vector<std::string> names = {"b", "B", "a", "C", "A"};
    std::sort(names.begin(), names.end(), FileNameBefore);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "B", "b", "C"}));
}

}  // namespace
}  // namespace quexa::engines
