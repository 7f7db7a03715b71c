#include "files/result_file_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "forked_child.h"
#include "locking_program.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteAll;
using namespace std::chrono_literals;

// Another program holding the lock; it must have got it.
class OtherProgram : public quexa::testing::LockingProgram {
  public:
    explicit OtherProgram(const fs::path& target, const std::function<void()>& whileHeld = {})
        : LockingProgram(target, whileHeld) {
        EXPECT_TRUE(started());
    }
};

TEST(ResultFileLockTest, ASecondProgramWaitsThenGivesUpUntilTheFirstLetsGo) {
    TempFolder folder;
    const fs::path target = folder.File("list.qzr");
    WriteAll(target, "old");
    OtherProgram other(target);
    ASSERT_TRUE(fs::exists(ResultFileLock::LockPathFor(target)));
    {
        const ResultFileLock refused(target, 100ms);
        EXPECT_EQ(refused.outcome(), ResultFileLock::Outcome::Busy);
        EXPECT_EQ(refused.Problem(), ResultFileLock::kBusyMessage);
    }
    EXPECT_TRUE(other.Finish());
    {
        const ResultFileLock taken(target, 100ms);
        EXPECT_TRUE(taken.held());
        EXPECT_TRUE(taken.Problem().empty());
    }
    EXPECT_FALSE(fs::exists(ResultFileLock::LockPathFor(target)));
    EXPECT_EQ(testing::ReadAll(target), "old");
}

TEST(ResultFileLockTest, TheLockOutlivesASaveThatRenamesANewFileOverTheTarget) {
    TempFolder folder;
    const fs::path target = folder.File("list.qzr");
    const fs::path replacement = folder.File(".list.qzr.new");
    WriteAll(target, "old");
    WriteAll(replacement, "new");
    // The other program saves as every save does, and still holds the file afterwards.
    quexa::testing::ForkedChild other([&] {
        // Held until the child exits.
        static std::optional<ResultFileLock> lock;
        lock.emplace(target, 0ms);
        fs::rename(replacement, target);
        return lock->held();
    });
    ASSERT_TRUE(other.started());
    EXPECT_EQ(testing::ReadAll(target), "new");
    EXPECT_EQ(ResultFileLock(target, 50ms).outcome(), ResultFileLock::Outcome::Busy);
    EXPECT_TRUE(other.Finish());
    EXPECT_TRUE(ResultFileLock(target, 0ms).held());
}

TEST(ResultFileLockTest, AWaiterGetsTheLockOnceTheHolderIsDone) {
    TempFolder folder;
    const fs::path target = folder.File("list.qzr");
    WriteAll(target, "old");
    OtherProgram other(target, [] { usleep(200'000); });
    // Told to let go now, it lets go 200 ms later: well within the patience.
    std::thread release([&] { other.Finish(); });
    const ResultFileLock taken(target);
    EXPECT_TRUE(taken.held());
    release.join();
}

TEST(ResultFileLockTest, HoldersInOneProgramShareTheLock) {
    TempFolder folder;
    const fs::path target = folder.File("list.qzr");
    const fs::path lockFile = ResultFileLock::LockPathFor(target);
    {
        const ResultFileLock outer(target, 0ms);
        ASSERT_TRUE(outer.held());
        {
            // Another name of the same file takes the same lock.
            const ResultFileLock inner(folder.Path() / "." / "list.qzr", 0ms);
            EXPECT_TRUE(inner.held());
        }
        EXPECT_TRUE(fs::exists(lockFile));
    }
    EXPECT_FALSE(fs::exists(lockFile));
}

TEST(ResultFileLockTest, ALinkPlantedAsLockFileIsNotFollowed) {
    TempFolder folder;
    const fs::path target = folder.File("list.qzr");
    const fs::path victim = folder.File("victim");
    fs::create_symlink(victim, ResultFileLock::LockPathFor(target));
    const ResultFileLock lock(target, 0ms);
    EXPECT_EQ(lock.outcome(), ResultFileLock::Outcome::Failed);
    EXPECT_EQ(lock.Problem(), ResultFileLock::kFailedMessage);
    EXPECT_FALSE(fs::exists(victim));
}

}  // namespace
}  // namespace quexa::files
