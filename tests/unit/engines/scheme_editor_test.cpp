// The scheme editor's logic: its lists, its file operations and what it tells the person.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "category_home.h"
#include "core/memory_profile.h"
#include "engines/scheme_editor.h"
#include "engines/scheme_list.h"
#include "temp_folder.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;
using quexa::testing::ReadAll;
using quexa::testing::WriteAll;
using testing::CategoryHome;
using testing::ReadEntries;
using testing::SchemeBytes;
using Msg = SchemeEditorMessage;
// Engine name, return number, ticked.
using Row = std::tuple<std::string, int, bool>;

SchemeEntry Entry(std::string name, std::int32_t number, std::uint8_t flag = 1) {
    return SchemeEntry{std::move(name), number, flag};
}

std::vector<Row> Rows(const SchemeEditor& editor) {
    std::vector<Row> rows;
    for (const SchemeEngineRow& row : editor.rows()) {
        rows.emplace_back(row.name, row.returnNumber, row.ticked);
    }
    return rows;
}

std::vector<Row> FileRows(const std::string& path) {
    std::vector<Row> rows;
    for (const SchemeEntry& entry : ReadEntries(path)) {
        rows.emplace_back(entry.engineName, entry.returnNumber, entry.selectedFlag == 1);
    }
    return rows;
}

std::string FileNote(const std::string& path) {
    return ReadSchemeNote(path);
}

class SchemeEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home_.AddEngine("News", "q.qzf", "Q", "www.q.example");
        home_.AddEngine("News", "r.qzf", "R");
        home_.AddEngine("News", "s.qzf", "S");
        WriteAll(home_.Path() / "Categories" / "News" / "broken.qzf", "short");
    }

    std::string Folder() const { return home_.SchemeFolder("News"); }
    std::string PathOf(std::string_view name) const {
        return Folder() + std::string(name) + ".scm";
    }
    std::string WriteScheme(std::string_view name, std::string_view bytes) const {
        return home_.WriteScheme("News", name, bytes);
    }

    CategoryHome home_;
    core::MemoryProfile profile_;
};

TEST_F(SchemeEditorTest, OpensOnTheSystemScheme) {
    SchemeEditor editor(home_.folders(), profile_, "News");
    EXPECT_EQ(editor.Open(), Msg::None);
    EXPECT_EQ(editor.schemeFolder(), Folder());
    EXPECT_TRUE(fs::is_directory(Folder()));
    EXPECT_EQ(editor.engineFolder(), home_.app() + "/Categories/News/");
    EXPECT_EQ(editor.schemes(), std::vector<std::string>{"System Scheme"});
    EXPECT_EQ(editor.selected(), 0u);
    EXPECT_EQ(editor.note(), kSystemSchemeNote);
    EXPECT_EQ(Rows(editor), (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
    EXPECT_EQ(editor.rows()[0].webSite, "www.q.example");
    const SchemeEditorState state = editor.State();
    EXPECT_TRUE(state.newEnabled);
    EXPECT_TRUE(state.noteEnabled);
    EXPECT_FALSE(state.renameEnabled);
    EXPECT_FALSE(state.removeEnabled);
    EXPECT_FALSE(state.sliderEnabled);
}

TEST_F(SchemeEditorTest, SystemSchemeIsNotEdited) {
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    EXPECT_EQ(editor.SetTicked(0, false), Msg::None);
    EXPECT_EQ(editor.SetTickedReturnNumbers(25), Msg::None);
    EXPECT_EQ(editor.SetReturnNumber(1, 50), Msg::None);
    editor.ResetDefault();
    EXPECT_EQ(editor.Rename("Other"), Msg::None);
    EXPECT_EQ(editor.Remove(), Msg::None);
    EXPECT_EQ(Rows(editor), (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()), 0);
}

TEST_F(SchemeEditorTest, RememberedSchemeIsSelectedAndApplied) {
    WriteScheme("Fast",
                SchemeBytes("quick ones", {Entry("r", 40, 0), Entry("Gone", 9), Entry("Q", 250)}));
    WriteScheme("Other", SchemeBytes("", {}));
    SetLastScheme(profile_, "News", "  " + home_.app() + "/UserData/Scheme/NEWS//fast.SCM");
    SchemeEditor editor(home_.folders(), profile_, "News");
    EXPECT_EQ(editor.Open(), Msg::None);
    EXPECT_EQ(editor.schemes(), (std::vector<std::string>{"System Scheme", "Fast", "Other"}));
    EXPECT_EQ(editor.selected(), 1u);
    EXPECT_EQ(editor.note(), "quick ones");
    // Matched ignoring case; S has no entry and keeps its tick and 10.
    EXPECT_EQ(Rows(editor),
              (std::vector<Row>{{"Q", 250, true}, {"R", 40, false}, {"S", 10, true}}));
    const SchemeEditorState state = editor.State();
    EXPECT_TRUE(state.renameEnabled);
    EXPECT_TRUE(state.removeEnabled);
    EXPECT_TRUE(state.sliderEnabled);
}

TEST_F(SchemeEditorTest, InvalidSchemeIsDroppedFromTheList) {
    const std::string bad = WriteScheme("Bad", SchemeBytes("", {}, 0, std::nullopt, "SCMB"));
    SetLastScheme(profile_, "News", bad);
    SchemeEditor editor(home_.folders(), profile_, "News");
    EXPECT_EQ(editor.Open(), Msg::CannotLoad);
    EXPECT_EQ(MessageText(Msg::CannotLoad), "Canno't load scheme file!");
    EXPECT_EQ(editor.schemes(), std::vector<std::string>{"System Scheme"});
    EXPECT_EQ(editor.selected(), 0u);
    EXPECT_EQ(editor.note(), kSystemSchemeNote);
    EXPECT_TRUE(fs::exists(bad));
}

TEST_F(SchemeEditorTest, SchemeFileVanishedBeforeSelection) {
    WriteScheme("Gone", SchemeBytes("", {Entry("Q", 5)}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    fs::remove(PathOf("Gone"));
    EXPECT_EQ(editor.Select(1), Msg::CannotLoad);
    EXPECT_EQ(editor.schemes(), std::vector<std::string>{"System Scheme"});
    EXPECT_FALSE(fs::exists(PathOf("Gone")));
}

TEST_F(SchemeEditorTest, SelectionRewritesTheSchemeToTheCurrentEngines) {
    const std::string path = WriteScheme(
        "Kept", SchemeBytes("kept note", {Entry("P", 20), Entry("Q", 30, 0), Entry("R", 40)}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    EXPECT_EQ(editor.Select(1), Msg::None);
    const std::vector<Row> expected = {{"Q", 30, false}, {"R", 40, true}, {"S", 10, true}};
    EXPECT_EQ(Rows(editor), expected);
    EXPECT_EQ(FileRows(path), expected);
    EXPECT_EQ(FileNote(path), "kept note");
    EXPECT_EQ(editor.Select(0), Msg::None);
    EXPECT_EQ(editor.note(), kSystemSchemeNote);
    EXPECT_EQ(Rows(editor), (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
    EXPECT_EQ(editor.Select(5), Msg::None);
    EXPECT_EQ(editor.selected(), 0u);
}

TEST_F(SchemeEditorTest, NewSchemeIsSavedWithEveryEngine) {
    WriteScheme("Kept", SchemeBytes("kept note", {Entry("Q", 30, 0)}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    EXPECT_EQ(editor.New("  My Mix\t"), Msg::None);
    EXPECT_EQ(editor.schemes(), (std::vector<std::string>{"System Scheme", "Kept", "My Mix"}));
    EXPECT_EQ(editor.selected(), 2u);
    EXPECT_EQ(editor.note(), "");
    const std::vector<Row> all = {{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}};
    EXPECT_EQ(Rows(editor), all);
    EXPECT_EQ(FileRows(PathOf("My Mix")), all);
    EXPECT_TRUE(SchemeFile::Validate(PathOf("My Mix")));
    EXPECT_TRUE(editor.State().renameEnabled);
    // Nothing is remembered before OK.
    EXPECT_EQ(GetLastScheme(profile_, "News"), "");
}

TEST_F(SchemeEditorTest, ExistingNamesAreRefused) {
    WriteScheme("Alpha", SchemeBytes("", {}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    for (const std::string name :
         {"System Scheme", "system scheme", "  SYSTEM SCHEME ", "Alpha", "alpha", " ALPHA\t"}) {
        EXPECT_TRUE(editor.NameExists(name)) << name;
        EXPECT_EQ(editor.New(name), Msg::NameExists) << name;
    }
    EXPECT_FALSE(editor.NameExists("Alpha2"));
    EXPECT_EQ(MessageText(Msg::NameExists), "Scheme is existed , \nplease rename it !");
    EXPECT_EQ(editor.schemes(), (std::vector<std::string>{"System Scheme", "Alpha"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(Folder()), fs::directory_iterator()), 1);
}

TEST_F(SchemeEditorTest, NewSchemeThatCannotBeSavedIsNotListed) {
    fs::create_directories(PathOf("Blocked"));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    EXPECT_EQ(editor.New("Blocked"), Msg::SaveFailed);
    EXPECT_EQ(editor.New("a/b"), Msg::SaveFailed);
    EXPECT_EQ(editor.New(std::string(252, 'x')), Msg::SaveFailed);
    EXPECT_EQ(MessageText(Msg::SaveFailed), "Save Failed!");
    EXPECT_EQ(editor.schemes(), std::vector<std::string>{"System Scheme"});
    EXPECT_EQ(editor.selected(), 0u);
    EXPECT_EQ(editor.note(), kSystemSchemeNote);
    // The longest name a file can carry still works.
    EXPECT_EQ(editor.New(std::string(251, 'y')), Msg::None);
}

TEST_F(SchemeEditorTest, RenameMovesTheFileAndTheRememberedPath) {
    const std::string old = WriteScheme("Old", SchemeBytes("n", {Entry("Q", 3)}));
    WriteScheme("Other", SchemeBytes("", {}));
    SetLastScheme(profile_, "News", old);
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    ASSERT_EQ(editor.selected(), 1u);
    EXPECT_EQ(editor.Rename("old"), Msg::NameExists);
    EXPECT_EQ(editor.Rename(" OTHER "), Msg::NameExists);
    EXPECT_TRUE(fs::exists(old));
    EXPECT_EQ(editor.Rename("  New Name "), Msg::None);
    EXPECT_EQ(editor.schemes()[1], "New Name");
    EXPECT_FALSE(fs::exists(old));
    EXPECT_EQ(FileRows(PathOf("New Name")), (std::vector<Row>{{"Q", 3, true}}));
    EXPECT_EQ(GetLastScheme(profile_, "News"), PathOf("New Name"));
}

TEST_F(SchemeEditorTest, RenameOfAnotherSchemeKeepsTheRememberedOne) {
    WriteScheme("A", SchemeBytes("", {}));
    const std::string b = WriteScheme("B", SchemeBytes("", {}));
    SetLastScheme(profile_, "News", b);
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    EXPECT_EQ(editor.Rename("C"), Msg::None);
    EXPECT_EQ(GetLastScheme(profile_, "News"), b);
}

TEST_F(SchemeEditorTest, RenameOntoAnUnlistedFileFails) {
    const std::string a = WriteScheme("A", SchemeBytes("mine", {}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    const std::string intruder = WriteScheme("Late", SchemeBytes("late", {}));
    EXPECT_EQ(editor.Rename("Late"), Msg::CannotRename);
    EXPECT_EQ(editor.Rename("x/y"), Msg::CannotRename);
    EXPECT_EQ(MessageText(Msg::CannotRename), "Canno't rename!");
    EXPECT_EQ(editor.schemes()[1], "A");
    EXPECT_EQ(FileNote(a), "mine");
    EXPECT_EQ(FileNote(intruder), "late");
}

TEST_F(SchemeEditorTest, RemoveLeavesTheSystemSchemeRemembered) {
    for (const bool removeRemembered : {true, false}) {
        const std::string a = WriteScheme("A", SchemeBytes("", {Entry("Q", 1, 0)}));
        const std::string b = WriteScheme("B", SchemeBytes("", {}));
        SetLastScheme(profile_, "News", a);
        SchemeEditor editor(home_.folders(), profile_, "News");
        editor.Open();
        editor.Select(removeRemembered ? 1 : 2);
        EXPECT_EQ(editor.Remove(), Msg::None);
        // Cancel follows: nothing more is stored.
        EXPECT_EQ(GetLastScheme(profile_, "News"), "") << removeRemembered;
        EXPECT_EQ(editor.selected(), 0u);
        EXPECT_EQ(editor.note(), kSystemSchemeNote);
        EXPECT_EQ(editor.schemes().size(), 2u);
        EXPECT_NE(fs::exists(a), removeRemembered);
        EXPECT_EQ(fs::exists(b), removeRemembered);
        EXPECT_EQ(Rows(editor),
                  (std::vector<Row>{{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}}));
        fs::remove_all(Folder());
    }
}

TEST_F(SchemeEditorTest, RemoveOfAVanishedFileFails) {
    const std::string a = WriteScheme("A", SchemeBytes("", {}));
    SetLastScheme(profile_, "News", a);
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    fs::remove(a);
    EXPECT_EQ(editor.Remove(), Msg::DeleteFailed);
    EXPECT_EQ(MessageText(Msg::DeleteFailed), "Delte Failed!");
    EXPECT_EQ(editor.schemes().size(), 2u);
    EXPECT_EQ(editor.selected(), 1u);
    EXPECT_EQ(GetLastScheme(profile_, "News"), a);
}

TEST_F(SchemeEditorTest, RowEditsAreSavedAtOnce) {
    const std::string path = WriteScheme("A", SchemeBytes("", {Entry("R", 7, 0)}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    EXPECT_EQ(editor.SetTickedReturnNumbers(25), Msg::None);
    std::vector<Row> expected = {{"Q", 25, true}, {"R", 7, false}, {"S", 25, true}};
    EXPECT_EQ(Rows(editor), expected);
    EXPECT_EQ(FileRows(path), expected);

    EXPECT_EQ(editor.SetTicked(1, true), Msg::None);
    EXPECT_EQ(editor.SetTicked(9, false), Msg::None);
    expected = {{"Q", 25, true}, {"R", 7, true}, {"S", 25, true}};
    EXPECT_EQ(FileRows(path), expected);

    // The slider stays within 1 to 300; the Edit Engine field takes 0 to 300 only.
    editor.SetTickedReturnNumbers(0);
    EXPECT_EQ(std::get<1>(Rows(editor)[0]), 1);
    editor.SetTickedReturnNumbers(301);
    EXPECT_EQ(std::get<1>(Rows(editor)[0]), 300);
    EXPECT_EQ(editor.SetReturnNumber(2, 0), Msg::None);
    EXPECT_EQ(std::get<1>(FileRows(path)[2]), 0);
    editor.SetReturnNumber(2, 301);
    editor.SetReturnNumber(2, -1);
    EXPECT_EQ(std::get<1>(FileRows(path)[2]), 0);
}

TEST_F(SchemeEditorTest, ResetDefaultWaitsForTheNextSave) {
    const std::string path = WriteScheme("A", SchemeBytes("", {Entry("Q", 7, 0)}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    const std::string before = ReadAll(path);
    editor.ResetDefault();
    const std::vector<Row> all = {{"Q", 10, true}, {"R", 10, true}, {"S", 10, true}};
    EXPECT_EQ(Rows(editor), all);
    EXPECT_EQ(ReadAll(path), before);  // Cancel here keeps the file as it was
    EXPECT_EQ(editor.Accept(), Msg::None);
    EXPECT_EQ(FileRows(path), all);
}

TEST_F(SchemeEditorTest, NoteOfAtMost255Characters) {
    WriteScheme("A", SchemeBytes("", {}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    editor.SetNote(std::string(255, 'n'));
    EXPECT_EQ(editor.SaveScheme(), Msg::None);
    EXPECT_EQ(FileNote(PathOf("A")), std::string(255, 'n'));
    editor.SetNote(std::string(255, 'm') + "!");
    EXPECT_EQ(editor.note(), std::string(255, 'm'));
    editor.SetNote(std::string(254, 'm') + "\xC3\xA9");
    EXPECT_EQ(editor.note(), std::string(254, 'm'));
}

TEST_F(SchemeEditorTest, AcceptRemembersTheSelection) {
    WriteScheme("A", SchemeBytes("", {}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    editor.SetNote("from the note field");
    EXPECT_EQ(editor.Accept(), Msg::None);
    EXPECT_EQ(GetLastScheme(profile_, "News"), PathOf("A"));
    EXPECT_EQ(FileNote(PathOf("A")), "from the note field");
    editor.Select(0);
    EXPECT_EQ(editor.Accept(), Msg::None);
    EXPECT_EQ(GetLastScheme(profile_, "News"), "");
}

TEST_F(SchemeEditorTest, SaveFailureIsReported) {
    WriteScheme("A", SchemeBytes("", {}));
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    fs::remove(PathOf("A"));
    fs::create_directories(PathOf("A"));
    EXPECT_EQ(editor.SetTicked(0, false), Msg::SaveFailed);
    EXPECT_FALSE(std::get<2>(Rows(editor)[0]));
}

TEST_F(SchemeEditorTest, UnwritableProgramFolderDisablesTheCommands) {
    WriteScheme("A", SchemeBytes("", {}));
    // The writable folder's test file is read-only: not writable this time.
    WriteAll(home_.Path() / "123.tmp", "");
    fs::permissions(home_.Path() / "123.tmp", fs::perms::owner_read);
    SchemeEditor editor(home_.folders(), profile_, "News");
    editor.Open();
    editor.Select(1);
    SchemeEditorState state = editor.State();
    EXPECT_FALSE(state.newEnabled);
    EXPECT_FALSE(state.renameEnabled);
    EXPECT_FALSE(state.removeEnabled);
    EXPECT_FALSE(state.noteEnabled);
    EXPECT_TRUE(state.sliderEnabled);
    // Edited engines are still saved.
    EXPECT_EQ(editor.SetTicked(0, false), Msg::None);
    EXPECT_FALSE(std::get<2>(FileRows(PathOf("A"))[0]));
    state = editor.State();
    EXPECT_TRUE(state.newEnabled);
    EXPECT_TRUE(state.renameEnabled);
}

TEST(SchemeEditorTextsTest, EditEngineTexts) {
    EXPECT_EQ(MessageText(SchemeEditorMessage::None), "");
    EXPECT_EQ(kOperatorsText, "Normal");
    EXPECT_EQ(kSupportText, "Normal/Update/User define return number");
    struct Case {
        std::string site;
        std::string shown;
    };
    for (const Case& c : std::vector<Case>{{"www.q.example", "http://www.q.example"},
                                           {"http://q.example/", "http://q.example/"},
                                           {"https://q.example/", "https://q.example/"},
                                           {"ftp://q.example/", "ftp://q.example/"},
                                           {"", "http://"}}) {
        EXPECT_EQ(EditEngineWebSite(c.site), c.shown) << c.site;
    }
}

}  // namespace
}  // namespace quexa::engines
