#include "platform/desktop_opener.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/desktop_trash.h"
#include "recording_launcher.h"
#include "tasks/location_kind.h"
#include "temp_folder.h"

namespace quexa::platform {
namespace {

namespace fs = std::filesystem;
using quexa::testing::ReadAll;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;
using Failure = tasks::LocationOpener::Failure;

class DesktopOpenerTest : public ::testing::Test {
  protected:
    DesktopOpenerTest() {
        WriteAll(temp_.File("plan.txt"), "plan");
        fs::create_directory(temp_.File("docs"));
    }

    std::string Path(std::string_view name) const { return temp_.File(name).string(); }

    TempFolder temp_;
    testing::RecordingLauncher launcher_;
};

TEST_F(DesktopOpenerTest, FilesAreLookedUpBeforeTheDesktopIsAsked) {
    const struct {
        std::string location;
        Failure failure;
        bool launched;
    } cases[] = {
        {Path("plan.txt"), Failure::None, true},
        {Path("docs"), Failure::None, true},
        {Path("gone.txt"), Failure::FileNotFound, false},
        {Path("nowhere/gone.txt"), Failure::PathNotFound, false},
        {Path("plan.txt/inside"), Failure::PathNotFound, false},
        {"", Failure::FileNotFound, false},
    };
    for (const auto& c : cases) {
        launcher_.urls.clear();
        DesktopOpener opener("", launcher_);
        EXPECT_EQ(opener.Open(c.location), c.failure) << c.location;
        EXPECT_EQ(launcher_.urls.size(), c.launched ? 1U : 0U) << c.location;
    }
    launcher_.urls.clear();
    DesktopOpener opener("", launcher_);
    opener.Open(Path("plan.txt"));
    EXPECT_EQ(launcher_.urls, std::vector<std::string>{"file://" + Path("plan.txt")});

    launcher_.opens = false;
    EXPECT_EQ(opener.Open(Path("plan.txt")), Failure::NoAssociation);
}

TEST_F(DesktopOpenerTest, AnUnreadableFileIsDeniedForOrdinaryUsers) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser reads every file";
    }
    ::chmod(Path("plan.txt").c_str(), 0);
    DesktopOpener opener("", launcher_);
    EXPECT_EQ(opener.Open(Path("plan.txt")), Failure::AccessDenied);
    EXPECT_TRUE(launcher_.urls.empty());
}

TEST_F(DesktopOpenerTest, ExploreOpensTheFolderOfAFile) {
    DesktopOpener opener("", launcher_);
    EXPECT_EQ(opener.Explore(Path("docs")), Failure::None);
    EXPECT_EQ(opener.Explore(Path("plan.txt")), Failure::None);
    EXPECT_EQ(opener.Explore(Path("gone/")), Failure::PathNotFound);
    EXPECT_EQ(launcher_.urls, (std::vector<std::string>{"file://" + Path("docs"),
                                                        "file://" + temp_.Path().string()}));
}

TEST_F(DesktopOpenerTest, BackslashesAreSeparators) {
    EXPECT_EQ(tasks::LocalPathOf("C:\\Docs\\a.txt"), "C:/Docs/a.txt");
    EXPECT_EQ(tasks::LocalPathOf("/srv/a b.txt"), "/srv/a b.txt");
    // A share that is not mounted keeps its name and is not found.
    const std::string share = tasks::LocalPathOf("\\\\nohost.invalid\\share\\a.txt");
    EXPECT_EQ(share, "//nohost.invalid/share/a.txt");
    DesktopOpener opener("", launcher_);
    EXPECT_NE(opener.Open(share), Failure::None);
}

TEST_F(DesktopOpenerTest, WebAddressesGoToTheDefaultBrowserWithAScheme) {
    DesktopOpener opener("", launcher_);
    opener.Browse("example.org/page");
    opener.Browse("https://example.org/");
    EXPECT_EQ(launcher_.urls,
              (std::vector<std::string>{"http://example.org/page", "https://example.org/"}));
}

TEST_F(DesktopOpenerTest, TheBrowserOfTheOptionsIsStartedWithTheLocation) {
    const fs::path browser = temp_.File("browser.sh");
    const fs::path seen = temp_.File("seen.txt");
    WriteAll(browser, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + seen.string() + ".part\"\nmv \"" +
                          seen.string() + ".part\" \"" + seen.string() + "\"\n");
    fs::permissions(browser, fs::perms::owner_all);
    DesktopOpener opener(browser.string(), launcher_);
    opener.Browse("example.org/a b");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!fs::exists(seen) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(ReadAll(seen), "example.org/a b");
    EXPECT_TRUE(launcher_.urls.empty());
}

// The trash of a data folder of our own: XDG_DATA_HOME points into the test's folder.
class DesktopTrashTest : public ::testing::Test {
  protected:
    DesktopTrashTest() { ::setenv("XDG_DATA_HOME", temp_.File("share").c_str(), 1); }
    ~DesktopTrashTest() override { ::unsetenv("XDG_DATA_HOME"); }

    TempFolder temp_;
};

TEST_F(DesktopTrashTest, FilesAndFoldersLandInTheTrashWithTheirInfo) {
    WriteAll(temp_.File("old.txt"), "old");
    fs::create_directories(temp_.File("folder/inner"));
    WriteAll(temp_.File("folder/inner/deep.txt"), "deep");
    DesktopTrash trash;
    EXPECT_TRUE(trash.MoveToTrash(temp_.File("old.txt").string()));
    EXPECT_TRUE(trash.MoveToTrash(temp_.File("folder").string()));
    EXPECT_FALSE(fs::exists(temp_.File("old.txt")));
    EXPECT_FALSE(fs::exists(temp_.File("folder")));
    const fs::path bin = temp_.File("share") / "Trash";
    EXPECT_EQ(ReadAll(bin / "files" / "old.txt"), "old");
    EXPECT_EQ(ReadAll(bin / "files" / "folder" / "inner" / "deep.txt"), "deep");
    EXPECT_TRUE(fs::exists(bin / "info" / "old.txt.trashinfo"));
    EXPECT_FALSE(trash.MoveToTrash(temp_.File("missing.txt").string()));
    EXPECT_FALSE(trash.MoveToTrash(""));
}

}  // namespace
}  // namespace quexa::platform
