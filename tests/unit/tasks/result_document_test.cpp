#include "tasks/result_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/settings_table.h"
#include "files/result_file_lock.h"
#include "locking_program.h"
#include "null_task_host.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using Answer = core::Prompter::Answer;
using quexa::testing::ReadAll;
using quexa::testing::ScriptedPrompter;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;

core::ResultItem Item(const std::string& location) {
    core::ResultItem item;
    item.title = "Title of " + location;
    item.location = location;
    item.searchTarget = "Engine";
    return item;
}

const std::string kSave = "Note: Do you want save ?";
const std::string kOperatorFailed = "Error: Operator failed!\nAn unknown error occupy!";
const std::string kCreateFailed =
    "Error: Create file failed!\nPlease check your power of disk \nspace!";
const std::string kInUse = "Error: The select file is in use,\nplease select again!";
const std::string kExists = "Warning: The file is existed\n\ndo you want overlay it?";
const std::string kCloseFirst = "Note: An file is openning,whether close \nit first?";

class ResultDocumentTest : public ::testing::Test {
  protected:
    ResultDocumentTest() {
        cache_.dataDirectory = folder_.Path().string();
        cache_.authorName = "Ann";
        cache_.previewHeight = 50;
    }

    void Add(const std::string& location) {
        list_.AddItem(static_cast<std::ptrdiff_t>(list_.Count()), Item(location));
    }
    // A result file of its own with these locations.
    std::string MakeFile(const std::string& name, const std::vector<std::string>& locations,
                         char mode = 'A', const std::string& password = "",
                         const std::string& stateName = "") {
        core::ResultList list;
        for (const std::string& location : locations) {
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), Item(location));
        }
        files::ResultFileHeader header;
        header.mode = mode;
        header.keywords = "keys of " + name;
        header.searchTarget = "target of " + name;
        header.note = "note of " + name;
        header.stateFileName = stateName;
        if (!password.empty()) {
            header.SetPassword(password);
        }
        const std::string path = folder_.File(name).string();
        EXPECT_TRUE(files::WriteResultFile(path, list, header));
        return path;
    }
    std::vector<std::string> Locations() const {
        std::vector<std::string> locations;
        for (std::size_t row = 0; row < list_.Count(); ++row) {
            locations.push_back(list_.Item(row).location);
        }
        return locations;
    }
    std::string StateFolder() const { return folder_.File("Temp/wan/broken").string(); }

    TempFolder folder_;
    core::MemoryProfile profile_;
    core::SettingsCache cache_;
    core::ResultList list_;
    std::shared_ptr<core::PlainMainThread> mainThread_ = std::make_shared<core::PlainMainThread>();
    quexa::testing::NullTaskHost host_;
    ScriptedPrompter prompter_;
    TaskState state_;
    ResultDocument document_{
        TaskEnvironment{list_, profile_, cache_, mainThread_, host_, prompter_}, state_};
};

TEST_F(ResultDocumentTest, SavingAnUntitledListAsksForItsPlace) {
    state_.searchMode = TaskState::kInternetMode;
    state_.currentQuery = "solar wind";
    state_.searchTarget = "Science";
    Add("http://a/");
    prompter_.files.push_back(folder_.File("solar").string());
    ASSERT_TRUE(document_.Save());
    const std::string path = folder_.File("solar.qzr").string();
    EXPECT_EQ(state_.currentFile, path);
    EXPECT_FALSE(list_.IsModified());
    EXPECT_EQ(host_.fastInfoRefreshes, 1);
    ASSERT_EQ(prompter_.fileRequests.size(), 1U);
    EXPECT_EQ(prompter_.fileRequests[0].use, core::Prompter::FileUse::SaveResult);
    EXPECT_EQ(prompter_.fileRequests[0].offeredName, "solar wind");
    const std::optional<files::ResultFileHeader> header = files::ReadResultFileHeader(path);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->mode, 'A');
    EXPECT_EQ(header->keywords, "solar wind");
    EXPECT_EQ(header->searchTarget, "Science");
    EXPECT_EQ(header->author, "Ann");
    EXPECT_EQ(header->count, 1U);

    // Titled now: the next save asks nothing.
    Add("http://b/");
    ASSERT_TRUE(document_.Save());
    EXPECT_EQ(prompter_.fileRequests.size(), 1U);
    EXPECT_EQ(files::ReadResultFileHeader(path)->count, 2U);
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(ResultDocumentTest, CancellingTheSaveDialogLeavesTheListModified) {
    // An Internet file names its interrupted-search state file; a backup lies beside it.
    fs::create_directories(StateFolder());
    WriteAll(StateFolder() + "/s1", "state");
    const std::string withState = MakeFile("with.qzr", {"http://s/"}, 'A', "", "s1");
    ASSERT_TRUE(document_.Load(withState, false));
    ASSERT_EQ(document_.statePath(), StateFolder() + "/s1");
    document_.ResetToFreeList();
    WriteAll(StateFolder() + "/s1~", "backup");
    Add("http://b/");
    EXPECT_FALSE(document_.Save());
    EXPECT_TRUE(list_.IsModified());
    EXPECT_TRUE(state_.currentFile.empty());
    EXPECT_FALSE(fs::exists(StateFolder() + "/s1~"));
    EXPECT_TRUE(fs::exists(StateFolder() + "/s1"));
}

TEST_F(ResultDocumentTest, TheOverwriteCheck) {
    const std::string other = MakeFile("other.qzr", {"http://o/"});
    const std::string current = MakeFile("current.qzr", {"http://c/"});
    const std::string readOnly = MakeFile("ro.qzr", {"http://r/"});
    fs::permissions(readOnly, fs::perms::owner_read);
    fs::create_directories(folder_.File("dir.qzr"));
    state_.currentFile = current;
    const struct {
        const char* name;
        std::string path;
        std::vector<Answer> answers;
        bool accepted;
        std::vector<std::string> boxes;
    } cases[] = {
        {"a new file", folder_.File("new.qzr").string(), {}, true, {}},
        {"another file, Yes", other, {Answer::Yes}, true, {kExists}},
        {"another file, No", other, {Answer::No}, false, {kExists}},
        {"the current file in other letter case",
         folder_.File("CURRENT.qzr").string(),
         {},
         true,
         {}},
        {"the current file", current, {}, false, {kInUse}},
        {"the current file by another way",
         folder_.File("x/../current.qzr").string(),
         {},
         false,
         {kInUse}},
        {"a read-only file", readOnly, {Answer::Yes}, true, {kExists}},
        {"a folder", folder_.File("dir.qzr").string(), {}, false, {kCreateFailed}},
        {"a missing folder", folder_.File("none/new.qzr").string(), {}, false, {kCreateFailed}},
    };
    fs::create_directories(folder_.File("x"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter_.boxes.clear();
        prompter_.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(document_.CheckOverwrite(c.path), c.accepted);
        EXPECT_EQ(prompter_.boxes, c.boxes);
    }
    EXPECT_NE(fs::status(readOnly).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_FALSE(fs::exists(folder_.File("new.qzr")));
}

TEST_F(ResultDocumentTest, AFailedWriteShowsTheUnknownErrorAndPutsThePathBack) {
    const std::string current = MakeFile("current.qzr", {"http://c/"});
    ASSERT_TRUE(document_.Load(current, false));
    Add("http://more/");
    // A name the system refuses: longer than a file name may be.
    const std::string target = folder_.File(std::string(300, 'n') + ".qzr").string();
    prompter_.boxes.clear();
    EXPECT_FALSE(document_.SaveTo(target));
    EXPECT_EQ(state_.currentFile, current);
    EXPECT_TRUE(list_.IsModified());
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{kCreateFailed});
    // Past the check, a write that fails reports the unknown error.
    prompter_.boxes.clear();
    state_.currentFile = target;
    EXPECT_FALSE(document_.Save());
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{kOperatorFailed});
    EXPECT_TRUE(list_.IsModified());
}

TEST_F(ResultDocumentTest, ASaveWhileAnotherProgramChangesTheFileGivesUpAndKeepsTheList) {
    const std::string current = MakeFile("current.qzr", {"http://c/"});
    ASSERT_TRUE(document_.Load(current, false));
    Add("http://more/");
    const std::string before = ReadAll(current);
    quexa::testing::LockingProgram other(current);
    ASSERT_TRUE(other.started());
    prompter_.boxes.clear();
    EXPECT_FALSE(document_.Save());
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{
                                   "Error: " + std::string(files::ResultFileLock::kBusyMessage)});
    EXPECT_TRUE(list_.IsModified());
    EXPECT_EQ(ReadAll(current), before);
    EXPECT_TRUE(other.Finish());
    EXPECT_TRUE(document_.Save());
    EXPECT_FALSE(list_.IsModified());
}

TEST_F(ResultDocumentTest, SavingBackKeepsTheFilesPasswordAndNote) {
    const std::string protectedFile = MakeFile("p.qzr", {"http://p/"}, 'A', "Secret");
    prompter_.passwords.push_back("Secret");
    ASSERT_TRUE(document_.Open(protectedFile));
    Add("http://new/");
    ASSERT_TRUE(document_.Save());
    const std::optional<files::ResultFileHeader> saved = files::ReadResultFileHeader(protectedFile);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->checkValue, files::DeriveKey("Secret"));
    EXPECT_EQ(saved->note, "note of p.qzr");
    EXPECT_EQ(saved->count, 2U);
    // A copy under another name is a new file: no password, no note.
    ASSERT_TRUE(document_.SaveTo(folder_.File("copy.qzr").string()));
    const std::optional<files::ResultFileHeader> copy =
        files::ReadResultFileHeader(folder_.File("copy.qzr"));
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->IsProtected());
    EXPECT_EQ(copy->note, "");
    EXPECT_EQ(state_.currentFile, folder_.File("copy.qzr").string());
}

TEST_F(ResultDocumentTest, OpeningAddsBehindTheListOrClosesItFirst) {
    const std::string file = MakeFile("f.qzr", {"http://f1/", "http://f2/"}, 'B');
    const struct {
        const char* name;
        bool inUse;
        std::vector<Answer> answers;
        std::vector<std::string> locations;
        std::vector<std::string> boxes;
    } cases[] = {
        {"after a search", false, {}, {"http://s/", "http://f1/", "http://f2/"}, {}},
        {"in use, closed first",
         true,
         {Answer::Yes, Answer::No},
         {"http://f1/", "http://f2/"},
         {kCloseFirst, kSave}},
        {"in use, kept",
         true,
         {Answer::Cancel},
         {"http://s/", "http://f1/", "http://f2/"},
         {kCloseFirst}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list_.DeleteAll();
        document_.ResetToFreeList();
        Add("http://s/");
        if (c.inUse) {
            document_.MarkListInUse();
        }
        prompter_.boxes.clear();
        prompter_.answers.assign(c.answers.begin(), c.answers.end());
        ASSERT_TRUE(document_.Open(file));
        EXPECT_EQ(Locations(), c.locations);
        EXPECT_EQ(prompter_.boxes, c.boxes);
        EXPECT_EQ(state_.currentFile, file);
        EXPECT_EQ(state_.searchMode, 'B');
        EXPECT_EQ(state_.currentQuery, "keys of f.qzr");
        EXPECT_EQ(state_.searchTarget, "target of f.qzr");
        EXPECT_TRUE(document_.listInUse());
        EXPECT_FALSE(list_.IsModified());
        // The search's rows no longer count as listed.
        EXPECT_FALSE(list_.Locations().Contains("http://s/"));
    }
}

TEST_F(ResultDocumentTest, OpeningWithoutAPathOrWithAWrongPassword) {
    const std::string file = MakeFile("p.qzr", {"http://p/"}, 'A', "Secret");
    Add("http://s/");
    list_.ClearModified();
    EXPECT_FALSE(document_.Open());
    ASSERT_EQ(prompter_.fileRequests.size(), 1U);
    EXPECT_EQ(prompter_.fileRequests[0].caption, "Open Quexa Result File");
    EXPECT_EQ(prompter_.fileRequests[0].filter, "Quexa Result(*.qzr)|*.qzr||");

    prompter_.files.push_back(file);
    prompter_.passwords.push_back("wrong");
    prompter_.answers.push_back(Answer::Cancel);
    EXPECT_FALSE(document_.Open());
    EXPECT_EQ(Locations(), std::vector<std::string>{"http://s/"});
    EXPECT_TRUE(state_.currentFile.empty());
    EXPECT_FALSE(document_.listInUse());
}

// Every way a file can fail to load, with the messages Open shows for it; the list stays.
TEST_F(ResultDocumentTest, EachDamagedFileKeepsItsMessages) {
    const std::string good = ReadAll(MakeFile("good.qzr", {"http://g/"}));
    const std::string cannotOpen = "Error: Canno't open Quexa result file!";
    const std::string noteCannotOpen = "Note: Canno't open Quexa result file!";
    const std::string notOurs = "Note: Unvaild Quexa result file!";
    const std::string newer =
        "Note: This is higher version Quexa file,\r\nplease update Quexa, then try it !";
    std::string newerMode = good;
    newerMode[400] = 'D';
    const struct {
        const char* name;
        std::string bytes;  // none: no file at all
        std::vector<std::string> boxes;
    } cases[] = {
        {"missing", "", {cannotOpen}},
        {"empty", std::string(), {cannotOpen}},
        {"short header", good.substr(0, 497), {cannotOpen}},
        {"wrong magic", "QZX" + good.substr(3), {notOurs, noteCannotOpen}},
        {"newer format letter", good.substr(0, 3) + "B" + good.substr(4), {newer, noteCannotOpen}},
        {"newer mode", newerMode, {newer, noteCannotOpen}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder_.File(std::string(c.name) + ".qzr").string();
        if (std::string_view(c.name) != "missing") {
            WriteAll(path, c.bytes);
        }
        list_.DeleteAll();
        Add("http://kept/");
        prompter_.boxes.clear();
        EXPECT_FALSE(document_.Load(path, false));
        EXPECT_EQ(prompter_.boxes, c.boxes);
        EXPECT_EQ(Locations(), std::vector<std::string>{"http://kept/"});
    }
}

TEST_F(ResultDocumentTest, LoadFailureMessagesByOutcome) {
    using files::LoadOutcome;
    const std::pair<LoadOutcome, std::size_t> cases[] = {
        {LoadOutcome::Loaded, 0},         {LoadOutcome::CannotOpen, 1},
        {LoadOutcome::NotAResultFile, 2}, {LoadOutcome::NewerVersion, 2},
        {LoadOutcome::Unreadable, 0},     {LoadOutcome::Locked, 0},
        {LoadOutcome::OutOfMemory, 1},
    };
    for (const auto& [outcome, boxes] : cases) {
        prompter_.boxes.clear();
        ResultDocument::TellLoadFailure(outcome, prompter_);
        EXPECT_EQ(prompter_.boxes.size(), boxes) << static_cast<int>(outcome);
    }
    prompter_.boxes.clear();
    ResultDocument::TellLoadFailure(LoadOutcome::OutOfMemory, prompter_);
    EXPECT_EQ(prompter_.boxes,
              std::vector<std::string>{"Error: " + std::string(files::kNoMemoryForResultFile)});
}

TEST_F(ResultDocumentTest, OnlyResultFilesNamedOnTheCommandLineOpen) {
    const std::string file = MakeFile("f.qzr", {"http://f/"});
    const std::string upper = folder_.File("U.QZR").string();
    fs::copy_file(file, upper);
    const struct {
        std::string argument;
        bool opened;
    } cases[] = {
        {file, true}, {upper, true}, {"", false}, {"notes.txt", false}, {"qz", false},
    };
    for (const auto& c : cases) {
        list_.DeleteAll();
        document_.ResetToFreeList();
        EXPECT_EQ(document_.OpenFromCommandLine(c.argument), c.opened) << c.argument;
        EXPECT_EQ(list_.Count(), c.opened ? 1U : 0U);
    }
}

TEST_F(ResultDocumentTest, AFileChosenInTheFileManagerReplacesTheList) {
    const std::string file = MakeFile("f.qzr", {"http://f/"});
    const std::string damaged = folder_.File("damaged.qzr").string();
    WriteAll(damaged, "QZRB" + std::string(600, '\0'));
    const struct {
        const char* name;
        std::string path;
        std::vector<Answer> answers;
        bool opened;
        std::vector<std::string> locations;
        std::string currentFile;
    } cases[] = {
        {"saved first", file, {Answer::Yes}, true, {"http://f/"}, file},
        {"discarded", file, {Answer::No}, true, {"http://f/"}, file},
        {"save cancelled", file, {Answer::Yes}, false, {"http://s/"}, ""},
        {"unreadable", damaged, {Answer::No}, false, {}, ""},
        {"missing: given up silently",
         folder_.File("gone.qzr").string(),
         {},
         false,
         {"http://s/"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list_.DeleteAll();
        document_.ResetToFreeList();
        Add("http://s/");
        prompter_.answers.assign(c.answers.begin(), c.answers.end());
        prompter_.files.clear();
        if (std::string(c.name) == "saved first") {
            prompter_.files.push_back(folder_.File("saved").string());
        }
        document_.RequestOpen(c.path);
        EXPECT_EQ(document_.OpenRequested(), c.opened);
        EXPECT_EQ(Locations(), c.locations);
        EXPECT_EQ(state_.currentFile, c.currentFile);
        EXPECT_TRUE(document_.pendingOpen().empty());
    }
    EXPECT_TRUE(fs::exists(folder_.File("saved.qzr")));
}

TEST_F(ResultDocumentTest, ClosingTheCurrentFile) {
    const std::string file = MakeFile("f.qzr", {"http://f/"}, 'B');
    const struct {
        const char* name;
        bool modified;
        std::vector<Answer> answers;
        bool closed;
        std::vector<std::string> boxes;
    } cases[] = {
        {"unchanged", false, {}, true, {}},
        {"changes discarded", true, {Answer::No}, true, {kSave}},
        {"changes saved", true, {Answer::Yes}, true, {kSave}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(document_.Load(file, false));
        list_.ClearModified();
        if (c.modified) {
            Add("http://added/");
        }
        prompter_.boxes.clear();
        prompter_.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(document_.CloseCurrentFile(), c.closed);
        EXPECT_EQ(prompter_.boxes, c.boxes);
        EXPECT_EQ(list_.Count(), 0U);
        EXPECT_EQ(list_.Locations().Size(), 0U);
        EXPECT_FALSE(list_.IsModified());
        EXPECT_EQ(state_.searchMode, 'C');
        EXPECT_TRUE(state_.currentQuery.empty());
        EXPECT_TRUE(state_.searchTarget.empty());
        EXPECT_TRUE(state_.currentFile.empty());
        EXPECT_FALSE(document_.listInUse());
    }
    EXPECT_EQ(files::ReadResultFileHeader(file)->count, 2U);
}

TEST_F(ResultDocumentTest, AWantedSaveThatFailsKeepsTheList) {
    Add("http://a/");
    prompter_.answers.push_back(Answer::Yes);
    // The Save File dialog is cancelled.
    EXPECT_FALSE(document_.CloseCurrentFile());
    EXPECT_EQ(list_.Count(), 1U);
    EXPECT_TRUE(list_.IsModified());
}

TEST_F(ResultDocumentTest, TheExitPrompt) {
    fs::create_directories(StateFolder());
    const std::string withState = MakeFile("with.qzr", {"http://s/"}, 'A', "", "s1");
    const struct {
        const char* name;
        bool modified;
        std::vector<Answer> answers;
        std::vector<std::optional<std::string>> files;
        bool closes;
        bool stateKept;
        int boxes;
    } cases[] = {
        {"unchanged", false, {}, {}, true, true, 0},
        {"saved", true, {Answer::Yes}, {folder_.File("exit").string()}, true, true, 1},
        {"save dialog cancelled", true, {Answer::Yes}, {std::nullopt}, false, true, 1},
        {"discarded", true, {Answer::No}, {}, true, false, 1},
        {"cancelled", true, {Answer::Cancel}, {}, false, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(StateFolder() + "/s1", "state");
        list_.DeleteAll();
        ASSERT_TRUE(document_.Load(withState, false));
        state_.currentFile.clear();
        list_.ClearModified();
        if (c.modified) {
            Add("http://changed/");
        }
        prompter_.boxes.clear();
        prompter_.answers.assign(c.answers.begin(), c.answers.end());
        prompter_.files.assign(c.files.begin(), c.files.end());
        EXPECT_EQ(document_.ConfirmExit(), c.closes);
        EXPECT_EQ(fs::exists(StateFolder() + "/s1"), c.stateKept);
        EXPECT_EQ(static_cast<int>(prompter_.boxes.size()), c.boxes);
    }
}

TEST_F(ResultDocumentTest, AutoSaveRunsAfterEveryItemBeyondTheCount) {
    const struct {
        int autoSave;
        int count;
        int calls;
        int saves;
    } cases[] = {
        {0, 10, 30, 0}, {1, 10, 10, 0}, {1, 10, 11, 1}, {1, 10, 33, 3}, {1, 2, 7, 2},
    };
    for (const auto& c : cases) {
        core::settings::kAutoSave.Write(profile_, c.autoSave);
        core::settings::kAutoSaveCount.Write(profile_, c.count);
        ResultDocument document(
            TaskEnvironment{list_, profile_, cache_, mainThread_, host_, prompter_}, state_);
        state_.currentFile = folder_.File("auto.qzr").string();
        int saves = 0;
        for (int call = 0; call < c.calls; ++call) {
            Add("http://item/" + std::to_string(call));
            const int before = host_.fastInfoRefreshes;
            document.AutoSave();
            saves += host_.fastInfoRefreshes - before;
        }
        EXPECT_EQ(saves, c.saves) << c.autoSave << " " << c.count << " " << c.calls;
        EXPECT_EQ(document.autoSaveCounter(), c.calls - c.saves * (c.count + 1));
        list_.DeleteAll();
    }
}

// Saving and loading let pending work run; meanwhile the busy state says so, and a sort or
// another save refuses them.
TEST_F(ResultDocumentTest, SavingAndLoadingAreBusyLoops) {
    auto busy = std::make_shared<core::BusyState>();
    TaskEnvironment env{list_, profile_, cache_, mainThread_, host_, prompter_};
    env.busy = busy;
    ResultDocument document(env, state_);
    for (int i = 0; i < 300; ++i) {
        Add("http://a/" + std::to_string(i));
    }
    std::vector<core::BusyWork> seen;
    auto watch = [this, &seen, busy] {
        mainThread_->Post([&seen, busy] { seen.push_back(busy->Current()); });
    };
    const std::string path = folder_.File("busy.qzr").string();
    watch();
    ASSERT_TRUE(document.SaveTo(path));
    watch();
    ASSERT_TRUE(document.Load(path, true));
    EXPECT_EQ(seen, (std::vector<core::BusyWork>{core::BusyWork::Saving, core::BusyWork::Loading}));
    EXPECT_FALSE(busy->IsBusy());
    list_.DeleteAll();
    {
        const core::BusyState::Scope sorting(*busy, core::BusyWork::Sorting);
        EXPECT_FALSE(document.Save());
        EXPECT_FALSE(document.Load(path, true));
    }
    {
        const core::BusyState::Scope searching(*busy, core::BusyWork::IntranetSearch);
        EXPECT_TRUE(document.Load(path, true)) << "the Intranet search's auto save may run";
    }
    EXPECT_EQ(list_.Count(), 300u);
}

TEST_F(ResultDocumentTest, TheStateFileOfAnInternetFile) {
    fs::create_directories(StateFolder());
    const struct {
        const char* name;
        std::string stateName;
        std::vector<std::string> present;
        std::string statePath;
        std::vector<std::string> after;
    } cases[] = {
        {"present", "a1", {"a1"}, "a1", {"a1"}},
        {"only its backup", "a2", {"a2~"}, "a2", {"a2"}},
        {"neither", "a3", {}, "", {}},
        {"no name", "", {}, "", {}},
        {"a name that leaves the folder", "../x", {"../x"}, "", {"../x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& file : c.present) {
            WriteAll(StateFolder() + "/" + file, "state");
        }
        const std::string path = MakeFile("i.qzr", {"http://i/"}, 'A', "", c.stateName);
        list_.DeleteAll();
        ASSERT_TRUE(document_.Load(path, false));
        EXPECT_EQ(document_.statePath(),
                  c.statePath.empty() ? "" : StateFolder() + "/" + c.statePath);
        for (const std::string& file : c.after) {
            EXPECT_TRUE(fs::exists(StateFolder() + "/" + file)) << file;
        }
        // Saved again, the header names the same state file.
        list_.SetModified();
        ASSERT_TRUE(document_.Save());
        EXPECT_EQ(files::ReadResultFileHeader(path)->stateFileName, c.statePath);
    }
}

}  // namespace
}  // namespace quexa::tasks

namespace quexa::tasks {
namespace {

TEST_F(ResultDocumentTest, ImportAddsAFilesNewRowsAndMakesItCurrent) {
    const std::string file = MakeFile("i.qzr", {"http://s/", "http://i1/"}, 'B', "Secret");
    const std::string name = file.substr(0, file.size() - 4);
    const struct {
        const char* name;
        std::optional<std::string> chosen;
        std::optional<std::string> password;
        std::vector<std::string> locations;
        bool imported;
    } cases[] = {
        {"cancelled", std::nullopt, std::nullopt, {"http://s/"}, false},
        {"no password", name, std::nullopt, {"http://s/"}, false},
        // Listed locations are skipped: ImportADE is 1 by default.
        {"imported", name, "Secret", {"http://s/", "http://i1/"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list_.DeleteAll();
        document_.ResetToFreeList();
        Add("http://s/");
        list_.ClearModified();
        prompter_.fileRequests.clear();
        prompter_.files = {c.chosen};
        prompter_.passwords = {c.password};
        EXPECT_EQ(document_.Import(), c.imported);
        ASSERT_EQ(prompter_.fileRequests.size(), 1U);
        EXPECT_EQ(prompter_.fileRequests[0].use, core::Prompter::FileUse::LoadResult);
        EXPECT_EQ(Locations(), c.locations);
        EXPECT_EQ(document_.listInUse(), c.imported);
        EXPECT_EQ(list_.IsModified(), c.imported);
        EXPECT_EQ(state_.currentFile, c.imported ? file : "");
    }
}

}  // namespace
}  // namespace quexa::tasks
