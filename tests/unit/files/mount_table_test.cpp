#include "files/mount_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quexa::files {
namespace {

constexpr const char* kMounts =
    "/dev/sda1 / ext4 rw,relatime 0 0\n"
    "proc /proc proc rw 0 0\n"
    "//nas/Media /mnt/media cifs rw,vers=3.0 0 0\n"
    "fileserver:/export/home /net/home nfs4 rw 0 0\n"
    "me@build.lan:/srv /home/me/build fuse.sshfs rw 0 0\n"
    "//nas/My\\040Files /mnt/my\\040files smb3 rw 0 0\n"
    "/dev/sdb1 /mnt/media/usb vfat rw 0 0\n"
    "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
    "//nas/Media /srv/again cifs rw 0 0\n"
    "short line\n";

TEST(MountTableTest, ParsesEveryMountAndDecodesEscapes) {
    const MountTable table = MountTable::Parse(kMounts);
    ASSERT_EQ(table.Mounts().size(), 9u);
    EXPECT_EQ(table.Mounts()[5].source, "//nas/My Files");
    EXPECT_EQ(table.Mounts()[5].mountPoint, "/mnt/my files");
    EXPECT_EQ(table.Mounts()[5].type, "smb3");
}

TEST(MountTableTest, SharesAreTheNetworkMountsInOrderEachOnce) {
    const std::vector<std::string> expected = {"//nas/Media", "fileserver:/export/home",
                                               "me@build.lan:/srv", "//nas/My Files",
                                               "/run/user/1000/gvfs"};
    EXPECT_EQ(MountTable::Parse(kMounts).ShareNames(), expected);
    EXPECT_TRUE(MountTable::Parse("/dev/sda1 / ext4 rw 0 0\n").ShareNames().empty());
}

struct LocalCase {
    std::string remote;
    std::optional<std::string> local;
};

class LocalPathTest : public ::testing::TestWithParam<LocalCase> {};

TEST_P(LocalPathTest, FindsTheMountPointOfAShare) {
    EXPECT_EQ(MountTable::Parse(kMounts).LocalPathOf(GetParam().remote), GetParam().local);
}

INSTANTIATE_TEST_SUITE_P(Table, LocalPathTest,
                         ::testing::Values(LocalCase{"//nas/Media", "/mnt/media"},
                                           LocalCase{"//NAS/media/films", "/mnt/media/films"},
                                           LocalCase{"//nas/MediaX", std::nullopt},
                                           LocalCase{"//other/share", std::nullopt},
                                           LocalCase{"fileserver:/export/home/ann",
                                                     "/net/home/ann"},
                                           LocalCase{"FILESERVER:/export/home", std::nullopt},
                                           LocalCase{"//nas/My Files", "/mnt/my files"},
                                           LocalCase{"/mnt/media", std::nullopt}));

struct ComputerCase {
    std::string folder;
    std::string computer;
};

class ComputerOfPathTest : public ::testing::TestWithParam<ComputerCase> {};

TEST_P(ComputerOfPathTest, NamesTheComputerHoldingTheFolder) {
    EXPECT_EQ(MountTable::Parse(kMounts).ComputerOfPath(GetParam().folder), GetParam().computer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComputerOfPathTest,
    ::testing::Values(ComputerCase{"", "Unknown Net Computer"},
                      ComputerCase{"/home/me/docs", "Local Computer"},
                      ComputerCase{"/", "Local Computer"}, ComputerCase{"/mnt/media", "nas"},
                      ComputerCase{"/mnt/media/films", "nas"},
                      ComputerCase{"/mnt/mediax", "Local Computer"},
                      // A local disk mounted inside a share is local.
                      ComputerCase{"/mnt/media/usb/photos", "Local Computer"},
                      ComputerCase{"/net/home/ann", "fileserver"},
                      ComputerCase{"/home/me/build/src", "build.lan"},
                      ComputerCase{"/mnt/my files", "nas"}, ComputerCase{"/srv/again", "nas"},
                      ComputerCase{"/run/user/1000/gvfs/smb-share:server=box,share=music/a", "box"},
                      ComputerCase{"/run/user/1000/gvfs/sftp:host=web.lan,user=me", "web.lan"},
                      ComputerCase{"/run/user/1000/gvfs", "Unknown Net Computer"},
                      // A network path that is not mounted still names its server.
                      ComputerCase{"//server/share/docs", "server"},
                      ComputerCase{"//server", "Unknown Net Computer"},
                      ComputerCase{"///share", "Unknown Net Computer"}));

}  // namespace
}  // namespace quexa::files
