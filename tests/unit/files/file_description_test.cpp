#include "files/file_description.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace quexa::files {
namespace {

using testing::TempFolder;
using testing::WriteAll;

class UtcZone : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

std::time_t Utc(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return timegm(&tm);
}

struct TextCase {
    std::string name;
    std::uint32_t attributes;
    std::int64_t size;
    std::time_t created;
    std::string text;
};

class DescriptionTextTest : public UtcZone, public ::testing::WithParamInterface<TextCase> {};

TEST_P(DescriptionTextTest, WritesTheThreeLines) {
    const TextCase& c = GetParam();
    const FileDescription description{c.attributes, c.size, c.created};
    EXPECT_EQ(description.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DescriptionTextTest,
    ::testing::Values(
        TextCase{"read_only_document", FileDescription::kArchive | FileDescription::kReadOnly, 1234,
                 Utc(2001, 5, 3, 14, 5, 9),
                 "Attribute:Document ReadOnly \r\nSize: 1234 (Byte)\r\nCreate: 2001/5/3  Week: "
                 "Thu. 14:5:9?"},
        TextCase{"folder_has_no_word", 0, 0, Utc(2024, 12, 31, 23, 59, 59),
                 "Attribute:\r\nSize: 0 (Byte)\r\nCreate: 2024/12/31  Week: Tues. 23:59:59?"},
        TextCase{"three_gib_in_full", FileDescription::kArchive, 3LL << 30,
                 Utc(2023, 1, 1, 0, 0, 0),
                 "Attribute:Document \r\nSize: 3221225472 (Byte)\r\nCreate: 2023/1/1  Week: "
                 "Sun. 0:0:0?"},
        TextCase{"five_gib_in_full", FileDescription::kArchive, 5LL << 30, Utc(2023, 1, 7, 1, 2, 3),
                 "Attribute:Document \r\nSize: 5368709120 (Byte)\r\nCreate: 2023/1/7  Week: "
                 "Sat. 1:2:3?"},
        TextCase{"every_word_in_order", 0x7FF, 1, Utc(2023, 1, 4, 12, 0, 0),
                 "Attribute:Temp Document Compress Encrypt Hidden Normal Offline ReadOnly "
                 "Sparseness Link System \r\nSize: 1 (Byte)\r\nCreate: 2023/1/4  Week: Wed. "
                 "12:0:0?"}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

struct EntryCase {
    std::string name;
    std::string attributeLine;
    std::int64_t size;
};

class DescribeEntryTest : public UtcZone, public ::testing::WithParamInterface<EntryCase> {
  protected:
    void SetUp() override {
        UtcZone::SetUp();
        WriteAll(folder.File("plain.txt"), "twelve bytes");
        WriteAll(folder.File("locked.txt"), "abc");
        chmod(folder.File("locked.txt").c_str(), 0444);
        WriteAll(folder.File(".hidden"), "");
        std::filesystem::create_directory(folder.File("folder"));
        std::filesystem::create_symlink("folder", folder.File("link"));
        mkfifo(folder.File("pipe").c_str(), 0644);
        const int fd = open(folder.File("sparse.bin").c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, 64LL << 20), 0);
        close(fd);
    }

    TempFolder folder;
};

TEST_P(DescribeEntryTest, MapsTheFileSystemOntoTheAttributeWords) {
    const EntryCase& c = GetParam();
    const std::time_t before = std::time(nullptr);
    const std::string text = DescribeFile(folder.File(c.name).string());
    const std::string expectedStart =
        c.attributeLine + "\r\nSize: " + std::to_string(c.size) + " (Byte)\r\nCreate: ";
    EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart) << text;
    const FileDescription description =
        FileDescription::Read(AT_FDCWD, folder.File(c.name).c_str());
    EXPECT_LE(std::abs(static_cast<long>(description.created - before)), 60L)
        << "made during the test";
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DescribeEntryTest,
    ::testing::Values(EntryCase{"plain.txt", "Attribute:Document Normal ", 12},
                      EntryCase{"locked.txt", "Attribute:Document ReadOnly ", 3},
                      EntryCase{".hidden", "Attribute:Document Hidden ", 0},
                      EntryCase{"folder", "Attribute:", 0}, EntryCase{"link", "Attribute:Link ", 6},
                      EntryCase{"pipe", "Attribute:System ", 0},
                      EntryCase{"sparse.bin", "Attribute:Document Sparseness ", 64LL << 20}));

TEST(DescribeFileTest, AVanishedFileHasNoAttributesAndNoSize) {
    TempFolder folder;
    const std::string text = DescribeFile(folder.File("gone").string());
    EXPECT_EQ(text.substr(0, 33), "Attribute:\r\nSize: 0 (Byte)\r\nCreat");
}

}  // namespace
}  // namespace quexa::files
