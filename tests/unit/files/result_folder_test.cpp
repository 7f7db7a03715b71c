#include "files/result_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/wait_state.h"
#include "files/protected_container.h"
#include "files/result_file.h"
#include "files/result_folder_change.h"
#include "files/result_tree_rules.h"
#include "result_file_maker.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using testing::MakeResultFile;
using testing::TempFolder;
using testing::WriteAll;
using Outcome = ResultFolderChange::Outcome;
using Kind = TreeNode::Kind;

TEST(ResultFolderTest, ListsFoldersFirstWithPicturesAndOnlyResultFiles) {
    TempFolder temp;
    MakeResultFile(temp.File("valid.qzr"));
    MakeResultFile(temp.File("locked.QZR"), FilePicture::Protected);
    MakeResultFile(temp.File("newer.qzr"), FilePicture::Newer);
    MakeResultFile(temp.File("broken.qzr"), FilePicture::Unreadable);
    WriteAll(temp.File("notes.txt"), "x");
    fs::create_directories(temp.File("full/inner"));
    fs::create_directory(temp.File("empty"));

    const std::vector<ResultFolderEntry> entries = ResultFolder::List(temp.Path());
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_TRUE(entries[0].isFolder);
    EXPECT_TRUE(entries[1].isFolder);
    for (const ResultFolderEntry& entry : entries) {
        EXPECT_EQ(entry.hasEntries, entry.text == "full") << entry.text;
    }
    struct Case {
        std::string text;
        FilePicture picture;
    };
    for (const Case& c : {Case{"valid", FilePicture::Valid},
                          {"locked", FilePicture::Protected},
                          {"newer", FilePicture::Newer},
                          {"broken", FilePicture::Unreadable}}) {
        const auto it = std::find_if(entries.begin() + 2, entries.end(),
                                     [&](const ResultFolderEntry& e) { return e.text == c.text; });
        ASSERT_NE(it, entries.end()) << c.text;
        EXPECT_FALSE(it->isFolder);
        EXPECT_EQ(it->picture, c.picture) << c.text;
    }
    EXPECT_TRUE(ResultFolder::List(temp.File("missing")).empty());
}

TEST(ResultFolderTest, HoldsComparesWholeNamesIgnoringCase) {
    struct Case {
        const char* folder;
        const char* path;
        bool holds;
    };
    for (const Case& c : {Case{"/d/a", "/d/a", true},
                          {"/d/a", "/D/A/b.qzr", true},
                          {"/d/a/", "/d/a/b", true},
                          {"/d/a", "/d/ab", false},
                          {"/d/a/b", "/d/a", false},
                          {"", "/d/a", false}}) {
        EXPECT_EQ(ResultFolder::Holds(c.folder, c.path), c.holds) << c.folder << " " << c.path;
    }
}

class ResultTreeRulesTest : public ::testing::Test {
  protected:
    ResultTreeRulesTest() {
        fs::create_directories(temp_.File("Data/Internet/a/b"));
        fs::create_directories(temp_.File("Data/MyFav"));
        MakeResultFile(temp_.File("Data/Internet/a/f.qzr"));
        MakeResultFile(temp_.File("Data/MyFav/F.qzr"));
    }

    TreeNode Node(Kind kind, std::string_view relative) const {
        return {kind, temp_.File(relative)};
    }

    TempFolder temp_;
};

TEST_F(ResultTreeRulesTest, PasteRule) {
    const TreeNode internet = Node(Kind::TopFolder, "Data/Internet");
    const TreeNode a = Node(Kind::Folder, "Data/Internet/a");
    const TreeNode b = Node(Kind::Folder, "Data/Internet/a/b");
    const TreeNode myFav = Node(Kind::TopFolder, "Data/MyFav");
    const TreeNode file = Node(Kind::ResultFile, "Data/Internet/a/f.qzr");
    const TreeNode broken = Node(Kind::Unreadable, "Data/Internet/a/f.qzr");
    struct Case {
        const char* what;
        TreeNode source;
        TreeNode target;
        bool allowed;
    };
    for (const Case& c : {Case{"folder into itself", a, a, false},
                          {"folder into its own child", a, b, false},
                          {"folder into the folder holding it", a, internet, false},
                          {"folder elsewhere", a, myFav, true},
                          {"sub-folder up", b, internet, true},
                          {"file into the folder holding it", file, a, false},
                          {"file where one of that name in other case is", file, myFav, false},
                          {"file elsewhere", file, b, true},
                          {"unreadable file elsewhere", broken, b, true},
                          {"onto a file", a, file, false},
                          {"onto the root", a, TreeNode{}, false}}) {
        EXPECT_EQ(ResultTreeRules::MayPaste(c.source, c.target), c.allowed) << c.what;
    }
}

TEST_F(ResultTreeRulesTest, MenuEntriesFollowTheCurrentFile) {
    const std::string current = temp_.File("data/internet/A/F.qzr").string();
    const TreeNode a = Node(Kind::Folder, "Data/Internet/a");
    const TreeNode b = Node(Kind::Folder, "Data/Internet/a/b");
    const TreeNode file = Node(Kind::ResultFile, "Data/Internet/a/f.qzr");
    const TreeNode other = Node(Kind::ResultFile, "Data/MyFav/F.qzr");
    const TreeNode broken = Node(Kind::Unreadable, "Data/MyFav/F.qzr");
    const TreeNode top = Node(Kind::TopFolder, "Data/MyFav");
    const std::optional<TreeClip> clip = TreeClip{b, false};
    struct Case {
        TreeEntry entry;
        TreeNode node;
        bool enabled;
    };
    for (const Case& c : {Case{TreeEntry::Open, file, false},
                          {TreeEntry::Delete, file, false},
                          {TreeEntry::Rename, a, false},
                          {TreeEntry::Cut, a, false},
                          {TreeEntry::Delete, b, true},
                          {TreeEntry::Open, other, true},
                          {TreeEntry::Open, broken, false},
                          {TreeEntry::Rename, broken, true},
                          {TreeEntry::Property, broken, false},
                          {TreeEntry::ChangePassword, other, true},
                          {TreeEntry::Rename, top, false},
                          {TreeEntry::Delete, TreeNode{}, false},
                          {TreeEntry::NewFolder, top, true},
                          {TreeEntry::Import, file, false},
                          {TreeEntry::Paste, top, true},
                          {TreeEntry::Paste, a, false}}) {
        EXPECT_EQ(ResultTreeRules::Enabled(c.entry, c.node, current, clip), c.enabled)
            << static_cast<int>(c.entry) << " " << c.node.path;
    }
    EXPECT_FALSE(ResultTreeRules::Enabled(TreeEntry::Paste, top, current, std::nullopt));
}

TEST_F(ResultTreeRulesTest, DisplayPath) {
    EXPECT_EQ(ResultTreeRules::DisplayPath(TreeNode{}, temp_.Path()), "Quexa Root/");
    EXPECT_EQ(ResultTreeRules::DisplayPath(Node(Kind::Folder, "Data/Internet/a/b"), temp_.Path()),
              "Internet Search/a/b");
    EXPECT_EQ(ResultTreeRules::DisplayPath(Node(Kind::TopFolder, "Data/MyFav"), temp_.Path()),
              "My Favorite");
    EXPECT_EQ(ResultTreeRules::DisplayPath(Node(Kind::Folder, "elsewhere"), temp_.Path()), "");
}

TEST(ResultFolderChangeTest, FoldersAndRenames) {
    TempFolder temp;
    MakeResultFile(temp.File("one.qzr"));
    MakeResultFile(temp.File("two.qzr"));
    fs::create_directory(temp.File("Old"));
    struct Case {
        const char* what;
        Outcome outcome;
        Outcome expected;
    };
    for (const Case& c :
         {Case{"new folder", ResultFolderChange::MakeFolder(temp.Path(), "New"), Outcome::Done},
          {"folder in other case", ResultFolderChange::MakeFolder(temp.Path(), "old"),
           Outcome::Exists},
          {"folder named ..", ResultFolderChange::MakeFolder(temp.Path(), ".."), Outcome::Failed},
          {"file onto existing", ResultFolderChange::Rename(temp.File("one.qzr"), "two", true),
           Outcome::Exists},
          {"folder onto existing", ResultFolderChange::Rename(temp.File("Old"), "New", false),
           Outcome::Exists},
          {"file", ResultFolderChange::Rename(temp.File("one.qzr"), "three", true), Outcome::Done},
          {"folder", ResultFolderChange::Rename(temp.File("Old"), "Renamed", false), Outcome::Done},
          {"missing", ResultFolderChange::Rename(temp.File("gone.qzr"), "x", true),
           Outcome::Failed}}) {
        EXPECT_EQ(c.outcome, c.expected) << c.what;
    }
    EXPECT_TRUE(fs::is_directory(temp.File("New")));
    EXPECT_TRUE(fs::exists(temp.File("two.qzr")));
    EXPECT_TRUE(fs::exists(temp.File("three.qzr")));
    EXPECT_EQ(ResultFolderChange::Rename(temp.File("three.qzr"), "two", true, true), Outcome::Done);
    EXPECT_FALSE(fs::exists(temp.File("three.qzr")));
    EXPECT_EQ(ResultFolder::PictureOf(temp.File("two.qzr")), FilePicture::Valid);
    EXPECT_TRUE(fs::is_directory(temp.File("Renamed")));
    EXPECT_FALSE(fs::exists(temp.File("Old")));
}

TEST(ResultFolderChangeTest, CopyAndMoveTrees) {
    TempFolder temp;
    fs::create_directories(temp.File("src/deep"));
    fs::create_directory(temp.File("dst"));
    MakeResultFile(temp.File("src/a.qzr"), FilePicture::Protected);
    MakeResultFile(temp.File("src/deep/b.qzr"));
    core::WaitState wait;
    int pending = 0;
    const FileProgress progress{&wait, [&] { ++pending; }};

    EXPECT_EQ(ResultFolderChange::Transfer(temp.File("src"), temp.File("dst"), false, progress),
              Outcome::Done);
    EXPECT_EQ(pending, 2);
    EXPECT_FALSE(wait.IsOpen());
    EXPECT_EQ(ResultFolder::PictureOf(temp.File("dst/src/a.qzr")), FilePicture::Protected);
    EXPECT_TRUE(fs::exists(temp.File("dst/src/deep/b.qzr")));
    EXPECT_EQ(ResultFolderChange::Transfer(temp.File("src"), temp.File("dst"), true),
              Outcome::Exists);
    EXPECT_TRUE(fs::exists(temp.File("src/a.qzr")));

    EXPECT_EQ(ResultFolderChange::Transfer(temp.File("src/a.qzr"), temp.File("dst"), true),
              Outcome::Done);
    EXPECT_FALSE(fs::exists(temp.File("src/a.qzr")));
    EXPECT_TRUE(fs::exists(temp.File("dst/a.qzr")));
}

TEST(ResultFolderChangeTest, CancelledCopyLeavesNothing) {
    TempFolder temp;
    fs::create_directories(temp.File("src"));
    fs::create_directory(temp.File("dst"));
    for (int i = 0; i < 5; ++i) {
        MakeResultFile(temp.File("src/f" + std::to_string(i) + ".qzr"));
    }
    core::WaitState wait;
    const FileProgress progress{&wait, [&] { wait.Cancel(); }};
    EXPECT_EQ(ResultFolderChange::Transfer(temp.File("src"), temp.File("dst"), false, progress),
              Outcome::Failed);
    EXPECT_FALSE(fs::exists(temp.File("dst/src")));
    EXPECT_EQ(ResultFolder::List(temp.File("src")).size(), 5u);
}

TEST(ResultFolderChangeTest, NoteAndAuthorWrittenIntoTheHeader) {
    TempFolder temp;
    MakeResultFile(temp.File("f.qzr"), FilePicture::Protected);
    const std::string longNote(300, 'n');
    ASSERT_TRUE(ResultFolderChange::WriteNoteAndAuthor(temp.File("f.qzr"), longNote,
                                                       "An author with a long name"));
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(temp.File("f.qzr")));
    EXPECT_EQ(container.Header().Note(), longNote.substr(0, 255));
    EXPECT_EQ(container.Header().Author(), std::string("An author with a long name").substr(0, 19));
    EXPECT_TRUE(container.IsProtected());
    EXPECT_FALSE(ResultFolderChange::WriteNoteAndAuthor(temp.File("missing.qzr"), "n", "a"));
}

}  // namespace
}  // namespace quexa::files
