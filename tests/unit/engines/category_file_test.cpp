// The category file: its records, bounded counts, the writer and the readable source form.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "category_home.h"
#include "engines/category_file.h"
#include "engines/category_source.h"
#include "temp_folder.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;
using quexa::testing::ReadAll;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;
using testing::CategoryBytes;

CategoryRecord Record(std::string name, std::string directory, std::string note = {},
                      std::string icon = {}) {
    CategoryRecord record;
    record.name = std::move(name);
    record.directory = std::move(directory);
    record.note = std::move(note);
    record.iconFile = std::move(icon);
    return record;
}

TEST(CategoryRecordTest, FieldsAreReadFromTheirOffsets) {
    CategoryRecord::Bytes bytes{};
    const auto put = [&bytes](std::size_t offset, std::string_view text) {
        std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    put(0, "News");
    put(40, "news.ico");
    put(60, "All the news");
    put(560, "NewsDir");
    const CategoryRecord record = CategoryRecord::Decode(bytes);
    EXPECT_EQ(record.name, "News");
    EXPECT_EQ(record.iconFile, "news.ico");
    EXPECT_EQ(record.note, "All the news");
    EXPECT_EQ(record.directory, "NewsDir");
    EXPECT_EQ(record.Encode(), bytes);
}

TEST(CategoryRecordTest, UnterminatedFieldsStayInsideTheirField) {
    CategoryRecord::Bytes bytes{};
    bytes.fill('x');
    const CategoryRecord record = CategoryRecord::Decode(bytes);
    EXPECT_EQ(record.name, std::string(39, 'x'));
    EXPECT_EQ(record.iconFile, std::string(19, 'x'));
    EXPECT_EQ(record.note, std::string(499, 'x'));
    EXPECT_EQ(record.directory, std::string(255, 'x'));
}

TEST(CategoryRecordTest, FitsOnlyWithRoomForTheNul) {
    struct Case {
        CategoryRecord record;
        bool fits;
    };
    const std::vector<Case> cases = {
        {Record(std::string(39, 'n'), "d"), true},
        {Record(std::string(40, 'n'), "d"), false},
        {Record("n", std::string(255, 'd')), true},
        {Record("n", std::string(256, 'd')), false},
        {Record("n", "d", std::string(500, 'o')), false},
        {Record("n", "d", {}, std::string(20, 'i')), false},
        {Record(std::string("a\0b", 3), "d"), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.record.Fits(), c.fits) << c.record.name.size() << " " << c.record.directory;
    }
}

TEST(CategoryFileTest, CountIsBounded) {
    struct Case {
        std::int32_t stored;
        std::int32_t read;
    };
    const std::vector<Case> cases = {
        {0, 0}, {2, 2}, {-1, 0}, {INT_MIN, 0}, {1000, 1000}, {1001, 1000}, {INT_MAX, 1000},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        WriteAll(folder.File("config.qcf"), CategoryBytes({Record("A", "a")}, c.stored));
        CategoryFile file;
        ASSERT_TRUE(file.Open(folder.File("config.qcf")));
        std::int32_t count = -5;
        EXPECT_TRUE(file.ReadHeader(count));
        EXPECT_EQ(count, c.read) << c.stored;
    }
}

TEST(CategoryFileTest, ShortHeaderCountsAsNoRecords) {
    TempFolder folder;
    WriteAll(folder.File("config.qcf"), std::string("\0\0\0\0\0\3\0\0", 8));
    CategoryFile file;
    ASSERT_TRUE(file.Open(folder.File("config.qcf")));
    std::int32_t count = 7;
    EXPECT_FALSE(file.ReadHeader(count));
    EXPECT_EQ(count, 0);
}

TEST(CategoryFileTest, RecordsThatCannotBeReadStayEmpty) {
    TempFolder folder;
    std::string bytes = CategoryBytes({Record("One", "one"), Record("Two", "two")}, 3);
    bytes += "Three";  // a record cut short
    WriteAll(folder.File("config.qcf"), bytes);
    CategoryFile file;
    ASSERT_TRUE(file.Open(folder.File("config.qcf")));
    std::int32_t count = 0;
    ASSERT_TRUE(file.ReadHeader(count));
    EXPECT_EQ(count, 3);
    CategoryRecord record = Record("stale", "stale");
    ASSERT_TRUE(file.ReadRecord(1, record));
    EXPECT_EQ(record.name, "Two");
    EXPECT_EQ(record.directory, "two");
    for (const std::int32_t index : {2, 3, -1, INT_MAX}) {
        record = Record("stale", "stale");
        EXPECT_FALSE(file.ReadRecord(index, record)) << index;
        EXPECT_EQ(record.name, "") << index;
        EXPECT_EQ(record.directory, "") << index;
    }
    // Reading after a failure still works.
    ASSERT_TRUE(file.ReadRecord(0, record));
    EXPECT_EQ(record.name, "One");
}

TEST(CategoryFileTest, MissingFileDoesNotOpen) {
    TempFolder folder;
    CategoryFile file;
    EXPECT_FALSE(file.Open(folder.File("config.qcf")));
}

TEST(CategoryFileTest, ShippedFileIsOnlyRead) {
    TempFolder folder;
    const fs::path path = folder.File("config.qcf");
    const std::string bytes = CategoryBytes({Record("One", "one")});
    WriteAll(path, bytes);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    CategoryFile file;
    ASSERT_TRUE(file.Open(path));
    std::int32_t count = 0;
    EXPECT_TRUE(file.ReadHeader(count));
    file.Close();
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(ReadAll(path), bytes);
}

TEST(CategoryFileTest, WriterProducesWhatTheReaderReads) {
    TempFolder folder;
    const fs::path path = folder.File("Categories") / "config.qcf";
    const std::vector<CategoryRecord> records = {Record("News", "NewsDir", "news note", "n.ico"),
                                                 Record(std::string(39, 'x'), "Long")};
    ASSERT_TRUE(WriteCategoryFile(path, records));
    EXPECT_EQ(fs::file_size(path), 9u + 2u * 816u);
    CategoryFile file;
    ASSERT_TRUE(file.Open(path));
    std::int32_t count = 0;
    ASSERT_TRUE(file.ReadHeader(count));
    ASSERT_EQ(count, 2);
    for (std::int32_t i = 0; i < count; ++i) {
        CategoryRecord read;
        ASSERT_TRUE(file.ReadRecord(i, read));
        EXPECT_EQ(read.name, records[i].name);
        EXPECT_EQ(read.iconFile, records[i].iconFile);
        EXPECT_EQ(read.note, records[i].note);
        EXPECT_EQ(read.directory, records[i].directory);
    }
}

TEST(CategoryFileTest, RefusedWriteKeepsTheOldFile) {
    TempFolder folder;
    const fs::path path = folder.File("config.qcf");
    ASSERT_TRUE(WriteCategoryFile(path, {Record("Old", "old")}));
    const std::string before = ReadAll(path);
    EXPECT_FALSE(WriteCategoryFile(path, {Record(std::string(40, 'n'), "d")}));
    EXPECT_FALSE(
        WriteCategoryFile(path, std::vector<CategoryRecord>(1001, Record("Many", "many"))));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(CategorySourceTest, ParsesAndFormatsBack) {
    const std::string text =
        "# shipped categories\n"
        "[category]\r\n"
        "name=News\n"
        "icon=news.ico\n"
        "directory=NewsDir\n"
        "note=Papers = and more\n"
        "\n"
        "[category]\n"
        "name=Music\n"
        "directory=Music\n";
    std::vector<CategoryRecord> records;
    std::string error;
    ASSERT_TRUE(CategorySource::Parse(text, records, error)) << error;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "News");
    EXPECT_EQ(records[0].iconFile, "news.ico");
    EXPECT_EQ(records[0].directory, "NewsDir");
    EXPECT_EQ(records[0].note, "Papers = and more");
    EXPECT_EQ(records[1].name, "Music");
    EXPECT_EQ(records[1].note, "");

    std::vector<CategoryRecord> again;
    ASSERT_TRUE(CategorySource::Parse(CategorySource::Format(records), again, error)) << error;
    ASSERT_EQ(again.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(again[i].Encode(), records[i].Encode());
    }
}

TEST(CategorySourceTest, RefusesBadSources) {
    struct Case {
        std::string text;
        std::string errorPart;
    };
    std::string many;
    for (int i = 0; i <= 1000; ++i) {
        many += "[category]\nname=c" + std::to_string(i) + "\ndirectory=d\n";
    }
    const std::vector<Case> cases = {
        {"name=A\n", "line 1: name comes before"},
        {"[category]\ncolour=red\n", "line 2: expected"},
        {"[category]\nname=A\nname=B\ndirectory=d\n", "line 3: name is given twice"},
        {"[category]\nname=" + std::string(40, 'n') + "\ndirectory=d\n", "at most 39 fit"},
        {"[category]\ndirectory=d\n", "category 1 has no name"},
        {"[category]\nname=A\n", "category 1 needs a directory"},
        {"[category]\nname=A\ndirectory=a/b\n", "needs a directory"},
        {"[category]\nname=A\ndirectory=..\n", "needs a directory"},
        {"[category]\nname=A\ndirectory=d\n[category]\nname=B\n", "category 2 needs"},
        {std::string("[category]\nname=A\0\ndirectory=d\n", 31), "line 2: holds a NUL"},
        {many, "more than 1000 categories"},
    };
    for (const Case& c : cases) {
        std::vector<CategoryRecord> records;
        std::string error;
        EXPECT_FALSE(CategorySource::Parse(c.text, records, error)) << c.errorPart;
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace quexa::engines
