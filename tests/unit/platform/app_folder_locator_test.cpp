#include "platform/app_folder_locator.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quexa::platform {
namespace {

namespace fs = std::filesystem;

class AppFolderLocatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quexa-folders-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        ::unsetenv("QUEXA_HOME");
    }
    void TearDown() override {
        ::unsetenv("QUEXA_HOME");
        ::unsetenv("XDG_DATA_HOME");
        fs::remove_all(dir_);
    }
    fs::path dir_;
};

TEST_F(AppFolderLocatorTest, AHomeHoldsEverythingAndTheCommandLineWins) {
    ::setenv("QUEXA_HOME", (dir_ / "env").c_str(), 1);
    const core::AppFolders given = AppFolderLocator::Locate((dir_ / "given/").string());
    EXPECT_EQ(given.appDirectory, (dir_ / "given").string());
    EXPECT_EQ(given.dataDirectory, (dir_ / "given").string());
    EXPECT_EQ(AppFolderLocator::Locate("").appDirectory, (dir_ / "env").string());
}

TEST_F(AppFolderLocatorTest, WithoutAHomeWritesGoToTheUsersDataFolder) {
    ::setenv("XDG_DATA_HOME", (dir_ / "share").c_str(), 1);
    const core::AppFolders folders = AppFolderLocator::Locate("");
    EXPECT_EQ(folders.dataDirectory, (dir_ / "share" / "Morvane" / "Quexa").string());
    // The test program's folder holds no Categories: shipped data is the installed one.
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(folders.appDirectory, (program / ".." / "share" / "quexa").lexically_normal());

    EXPECT_FALSE(fs::exists(folders.dataDirectory)) << "created on first use only";
    EXPECT_TRUE(AppFolderLocator::EnsureDataDirectory(folders));
    EXPECT_TRUE(fs::is_directory(folders.dataDirectory));
    EXPECT_TRUE(AppFolderLocator::EnsureDataDirectory(folders)) << "twice is fine";
}

TEST_F(AppFolderLocatorTest, ADataFolderThatCannotBeMadeIsReported) {
    std::ofstream(dir_ / "file") << "x";
    core::AppFolders folders{dir_.string(), (dir_ / "file" / "data").string()};
    EXPECT_FALSE(AppFolderLocator::EnsureDataDirectory(folders));
}

}  // namespace
}  // namespace quexa::platform
