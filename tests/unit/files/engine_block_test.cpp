#include "files/engine_block.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "files/container_key.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

using Block = std::array<char, kEngineBlockSize>;

Block MakeBlock() {
    Block block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<char>(i * 7 + 3);
    }
    return block;
}

std::string ScrambledBytes(std::size_t size) {
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>(i * 7 + 3);
    }
    Scramble(bytes, DefaultKey());
    return bytes;
}

TEST(EngineBlockTest, ReadsTheFirstBlockOnlyWhenItIsWhole) {
    struct Case {
        std::size_t fileSize;
        bool read;
    };
    TempFolder folder;
    for (const Case c : {Case{0, false}, Case{1599, false}, Case{1600, true}, Case{1700, true}}) {
        const fs::path path = folder.File("engine.qzf");
        std::string bytes = ScrambledBytes(kEngineBlockSize);
        bytes.resize(c.fileSize, '!');
        WriteAll(path, bytes);
        Block buffer{};
        EXPECT_EQ(ReadEngineBlock(path, buffer), c.read) << c.fileSize;
        if (c.read) {
            EXPECT_EQ(buffer, MakeBlock()) << c.fileSize;
        }
    }
    Block buffer{};
    EXPECT_FALSE(ReadEngineBlock(folder.File("missing.qzf"), buffer));
    EXPECT_FALSE(ReadEngineBlock(folder.Path(), buffer));
    const fs::path pipe = folder.File("pipe.qzf");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadEngineBlock(pipe, buffer));  // would wait for a writer
}

TEST(EngineBlockTest, ReadOnlyFileIsReadAndLeftAlone) {
    TempFolder folder;
    const fs::path path = folder.File("engine.qzf");
    WriteAll(path, ScrambledBytes(kEngineBlockSize));
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(path, readOnly);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);

    Block buffer{};
    EXPECT_TRUE(ReadEngineBlock(path, buffer));
    EXPECT_EQ(buffer, MakeBlock());

    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(fs::status(path).permissions(), readOnly);
    EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
    EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
    EXPECT_EQ(ReadAll(path), ScrambledBytes(kEngineBlockSize));
}

TEST(EngineBlockTest, WrittenBlocksReadBack) {
    TempFolder folder;
    const fs::path path = folder.File("Categories/News/engine.qzf");
    ASSERT_TRUE(WriteEngineBlock(path, MakeBlock()));
    EXPECT_EQ(ReadAll(path), ScrambledBytes(kEngineBlockSize));
    Block buffer{};
    ASSERT_TRUE(ReadEngineBlock(path, buffer));
    EXPECT_EQ(buffer, MakeBlock());

    // An old, longer file is replaced as a whole.
    WriteAll(path, std::string(4000, 'x'));
    ASSERT_TRUE(WriteEngineBlock(path, MakeBlock()));
    EXPECT_EQ(ReadAll(path).size(), kEngineBlockSize);

    EXPECT_FALSE(WriteEngineBlock(folder.Path(), MakeBlock()));
    WriteAll(folder.File("plain"), "x");
    EXPECT_FALSE(WriteEngineBlock(folder.File("plain/engine.qzf"), MakeBlock()));
}

}  // namespace
}  // namespace quexa::files
