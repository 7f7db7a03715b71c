#include "tasks/target_commands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/wait_state.h"
#include "recording_trash.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using quexa::testing::ReadAll;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;
using Mode = TargetCommands::Mode;

class TargetCommandsTest : public ::testing::Test {
  protected:
    TargetCommandsTest() {
        fs::create_directories(Path("src/folder/inner"));
        WriteAll(Path("src/folder/inner/deep.txt"), "deep");
        WriteAll(Path("src/plain.txt"), "plain");
        fs::create_directories(Path("src/.hidden"));
        fs::create_directories(Path("src/locked"));
        ::chmod(Path("src/locked").c_str(), 0555);
        fs::create_directory(Path("out"));
    }
    ~TargetCommandsTest() override { ::chmod(Path("src/locked").c_str(), 0755); }

    std::string Path(std::string_view name) const { return temp_.File(name).string(); }

    void Add(std::string_view name, bool selected) {
        core::ResultItem item;
        item.title = std::string(name);
        item.location = Path(name);
        item.selected = selected;
        list_.AddItem(static_cast<std::ptrdiff_t>(list_.Count()), item);
    }

    TempFolder temp_;
    testing::RecordingTrash trash_;
    core::WaitState wait_;
    int pendingRuns_ = 0;
    TargetCommands commands_{trash_, &wait_, [this] { ++pendingRuns_; }};
    core::ResultList list_;
};

TEST_F(TargetCommandsTest, OnlyAPlainDirectoryCountsAsAFolder) {
    const struct {
        const char* name;
        bool folder;
    } cases[] = {
        {"src/folder", true},   {"src/folder/", true}, {"src/plain.txt", false},
        {"src/.hidden", false}, {"src/locked", false}, {"src/missing", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TargetCommands::IsFolderTarget(fs::path(Path(c.name)).lexically_normal()),
                  c.folder)
            << c.name;
    }
    fs::create_directory_symlink(Path("src/folder"), Path("src/link"));
    EXPECT_FALSE(TargetCommands::IsFolderTarget(Path("src/link")));
    EXPECT_TRUE(TargetCommands::TargetExists(Path("src/link")));
    EXPECT_FALSE(TargetCommands::TargetExists(Path("src/missing")));
    EXPECT_FALSE(TargetCommands::TargetExists(""));
}

TEST_F(TargetCommandsTest, DestinationsKeepTheTargetsName) {
    EXPECT_EQ(TargetCommands::DestinationIn("/backup/", "/srv/a/plan.txt"), "/backup/plan.txt");
    EXPECT_EQ(TargetCommands::DestinationIn("/backup", "/srv/a/docs/"), "/backup/docs");
    EXPECT_EQ(TargetCommands::DestinationIn("/backup", "C:\\docs\\plan.txt"), "/backup/plan.txt");
}

TEST_F(TargetCommandsTest, OperationsByModeAndKind) {
    EXPECT_TRUE(commands_.Operate(Path("src/plain.txt"), Path("out/plain.txt"), Mode::Copy));
    EXPECT_EQ(ReadAll(Path("out/plain.txt")), "plain");
    // A copy never replaces a file that is there.
    WriteAll(Path("src/plain.txt"), "newer");
    EXPECT_FALSE(commands_.Operate(Path("src/plain.txt"), Path("out/plain.txt"), Mode::Copy));
    EXPECT_EQ(ReadAll(Path("out/plain.txt")), "plain");

    EXPECT_TRUE(commands_.Operate(Path("src/folder/"), Path("out/folder/"), Mode::Copy));
    EXPECT_EQ(ReadAll(Path("out/folder/inner/deep.txt")), "deep");
    EXPECT_TRUE(fs::exists(Path("src/folder/inner/deep.txt")));

    EXPECT_TRUE(commands_.Operate(Path("src/folder"), Path("out/moved"), Mode::Move));
    EXPECT_FALSE(fs::exists(Path("src/folder")));
    EXPECT_EQ(ReadAll(Path("out/moved/inner/deep.txt")), "deep");
    EXPECT_FALSE(commands_.Operate(Path("src/plain.txt"), Path("out/plain.txt"), Mode::Move));
    EXPECT_TRUE(fs::exists(Path("src/plain.txt")));

    EXPECT_TRUE(commands_.Operate(Path("src/plain.txt/"), "", Mode::Delete));
    EXPECT_EQ(trash_.trashed, std::vector<std::string>{Path("src/plain.txt")});
    EXPECT_FALSE(commands_.Operate("", "", Mode::Delete));
}

TEST_F(TargetCommandsTest, CopyAllSelectedFollowsTheOptionsAndTheWaitWindow) {
    Add("src/folder", true);
    Add("src/plain.txt", true);
    Add("src/locked", false);
    const struct {
        TargetCommands::Options options;
        std::size_t copied;
        bool folderCopied;
        bool fileCopied;
    } cases[] = {
        {{true, true}, 2, true, true},
        {{true, false}, 1, false, true},
        {{false, true}, 1, true, false},
    };
    for (const auto& c : cases) {
        fs::remove_all(Path("out"));
        fs::create_directory(Path("out"));
        EXPECT_EQ(commands_.CopyAllSelectedTargets(list_, Path("out"), c.options), c.copied);
        EXPECT_EQ(fs::exists(Path("out/folder/inner/deep.txt")), c.folderCopied);
        EXPECT_EQ(fs::exists(Path("out/plain.txt")), c.fileCopied);
    }
    EXPECT_FALSE(wait_.IsOpen());
    EXPECT_EQ(pendingRuns_, 6);
    EXPECT_EQ(commands_.CopyAllSelectedTargets(list_, "", {}), 0U);
}

TEST_F(TargetCommandsTest, ACancelStopsBeforeTheNextRow) {
    Add("src/plain.txt", true);
    Add("src/folder", true);
    TargetCommands cancelling(trash_, &wait_, [this] { wait_.Cancel(); });
    EXPECT_EQ(cancelling.DeleteAllSelectedTargets(list_, {}), 1U);
    EXPECT_EQ(trash_.trashed, std::vector<std::string>{Path("src/plain.txt")});
    EXPECT_EQ(list_.Count(), 2U);
}

TEST_F(TargetCommandsTest, DeleteCurrentTargetTakesOnlyTheRow) {
    Add("src/plain.txt", false);
    Add("src/folder", false);
    list_.ClearModified();
    trash_.succeeds = false;
    EXPECT_FALSE(commands_.DeleteCurrentTarget(list_, 0));
    EXPECT_EQ(list_.Count(), 2U);
    trash_.succeeds = true;
    EXPECT_TRUE(commands_.DeleteCurrentTarget(list_, 0));
    EXPECT_EQ(list_.Count(), 1U);
    EXPECT_EQ(list_.Item(0).location, Path("src/folder"));
    EXPECT_FALSE(list_.IsModified());
    EXPECT_TRUE(list_.Locations().Contains(Path("src/plain.txt")));
    EXPECT_FALSE(commands_.DeleteCurrentTarget(list_, 5));
}

}  // namespace
}  // namespace quexa::tasks
