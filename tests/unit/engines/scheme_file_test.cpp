// Scheme files: header and entries byte by byte, the gap, bounded counts and the writer.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "category_home.h"
#include "engines/scheme_file.h"
#include "temp_folder.h"

namespace quexa::engines {
namespace {

namespace fs = std::filesystem;
using quexa::testing::ReadAll;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;
using testing::ReadEntries;
using testing::SchemeBytes;

SchemeEntry Entry(std::string name, std::int32_t number, std::uint8_t flag = 1) {
    return SchemeEntry{std::move(name), number, flag};
}

std::size_t FileCount(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(SchemeFileTest, HeaderFieldsAreReadFromTheirOffsets) {
    TempFolder folder;
    const fs::path path = folder.File("a.scm");
    WriteAll(path, SchemeBytes("my note", {Entry("Alpha", 25), Entry("Beta", -1, 0)}));
    EXPECT_EQ(fs::file_size(path), 268u + 2u * 55u);
    SchemeFile file;
    ASSERT_TRUE(file.Open(path));
    SchemeHeader header;
    ASSERT_TRUE(file.ReadHeader(header));
    EXPECT_TRUE(header.IsValid());
    EXPECT_EQ(header.note, "my note");
    EXPECT_EQ(header.entryCount, 2u);
    EXPECT_EQ(header.gap, 0u);
    const std::vector<SchemeEntry> entries = ReadEntries(path.string());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].engineName, "Alpha");
    EXPECT_EQ(entries[0].returnNumber, 25);
    EXPECT_TRUE(entries[0].Selected());
    EXPECT_EQ(entries[1].engineName, "Beta");
    EXPECT_EQ(entries[1].returnNumber, -1);
    EXPECT_FALSE(entries[1].Selected());
}

TEST(SchemeFileTest, GapMovesTheEntries) {
    TempFolder folder;
    const fs::path path = folder.File("gap.scm");
    const std::string bytes = SchemeBytes("", {Entry("First", 7), Entry("Second", 8)}, 10);
    ASSERT_EQ(bytes.substr(278, 5), "First");
    WriteAll(path, bytes);
    const std::vector<SchemeEntry> entries = ReadEntries(path.string());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].engineName, "First");
    EXPECT_EQ(entries[0].returnNumber, 7);
    EXPECT_EQ(entries[1].engineName, "Second");

    // A write honours the gap of the file as well.
    SchemeFile file;
    ASSERT_TRUE(file.Open(path, true));
    ASSERT_TRUE(file.WriteEntry(1, Entry("Changed", 9)));
    file.Close();
    EXPECT_EQ(ReadAll(path).substr(278 + 55, 8), std::string("Changed\0", 8));
    EXPECT_EQ(ReadAll(path).substr(268, 10), std::string(10, '\xEE'));
}

TEST(SchemeFileTest, HugeGapReadsNothing) {
    TempFolder folder;
    const fs::path path = folder.File("gap.scm");
    WriteAll(path, SchemeBytes("", {Entry("First", 7)}, 0).substr(0, 264) +
                       std::string("\xFF\xFF\xFF\xFF", 4) + std::string(55, 'x'));
    SchemeFile file;
    ASSERT_TRUE(file.Open(path));
    SchemeEntry entry = Entry("stale", 3);
    EXPECT_FALSE(file.ReadEntry(0, entry));
    EXPECT_EQ(entry.engineName, "");
    EXPECT_FALSE(entry.Selected());
}

TEST(SchemeFileTest, EntryCountIsBounded) {
    struct Case {
        std::uint32_t stored;
        std::uint32_t read;
    };
    TempFolder folder;
    const fs::path path = folder.File("count.scm");
    for (const Case& c : std::vector<Case>{
             {0, 0}, {3, 3}, {10000, 10000}, {10001, 10000}, {0x80000000u, 10000}, {~0u, 10000}}) {
        WriteAll(path, SchemeBytes("", {Entry("A", 1)}, 0, c.stored));
        SchemeFile file;
        ASSERT_TRUE(file.Open(path));
        SchemeHeader header;
        ASSERT_TRUE(file.ReadHeader(header));
        EXPECT_EQ(header.entryCount, c.read) << c.stored;
    }
}

TEST(SchemeFileTest, EntriesPastTheEndStayEmpty) {
    TempFolder folder;
    const fs::path path = folder.File("short.scm");
    WriteAll(path, SchemeBytes("", {Entry("A", 5), Entry("B", 6)}, 0, 4).substr(0, 268 + 55 + 20));
    SchemeFile file;
    ASSERT_TRUE(file.Open(path));
    SchemeEntry entry;
    ASSERT_TRUE(file.ReadEntry(0, entry));
    EXPECT_EQ(entry.engineName, "A");
    for (const std::uint32_t index : {1u, 2u, 3u, ~0u}) {
        entry = Entry("stale", 3);
        EXPECT_FALSE(file.ReadEntry(index, entry)) << index;
        EXPECT_EQ(entry.engineName, "") << index;
        EXPECT_EQ(entry.returnNumber, 0) << index;
        EXPECT_FALSE(entry.Selected()) << index;
    }
}

TEST(SchemeFileTest, OnlyFlagOneSelects) {
    struct Case {
        std::uint8_t flag;
        bool selected;
    };
    for (const Case& c : std::vector<Case>{{1, true}, {0, false}, {2, false}, {255, false}}) {
        EXPECT_EQ(Entry("A", 1, c.flag).Selected(), c.selected) << int{c.flag};
    }
}

TEST(SchemeFileTest, UnterminatedTextsStayInsideTheirFields) {
    SchemeEntry::Bytes entryBytes{};
    entryBytes.fill('e');
    EXPECT_EQ(SchemeEntry::Decode(entryBytes).engineName, std::string(49, 'e'));
    SchemeHeader::Bytes headerBytes{};
    headerBytes.fill('n');
    EXPECT_EQ(SchemeHeader::Decode(headerBytes).note, std::string(255, 'n'));
}

TEST(SchemeFileTest, Validation) {
    struct Case {
        std::string name;
        std::string bytes;
        bool valid;
    };
    const std::string good = SchemeBytes("note", {Entry("A", 1)});
    const std::vector<Case> cases = {
        {"good", good, true},
        {"header only", good.substr(0, 268), true},
        {"other version", SchemeBytes("", {}, 0, std::nullopt, "SCMB"), false},
        {"lower case", SchemeBytes("", {}, 0, std::nullopt, "scma"), false},
        {"other magic", SchemeBytes("", {}, 0, std::nullopt, "QZRA"), false},
        {"short header", good.substr(0, 267), false},
        {"empty", "", false},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        WriteAll(folder.File("v.scm"), c.bytes);
        EXPECT_EQ(SchemeFile::Validate(folder.File("v.scm")), c.valid) << c.name;
    }
    EXPECT_FALSE(SchemeFile::Validate(folder.File("missing.scm")));
    EXPECT_FALSE(SchemeFile::Validate(folder.Path()));
}

TEST(SchemeFileTest, CreateEmptiesAndOpenNeedsAFile) {
    TempFolder folder;
    const fs::path path = folder.File("c.scm");
    SchemeFile file;
    EXPECT_FALSE(file.Open(path));
    WriteAll(path, "old content");
    ASSERT_TRUE(file.Create(path));
    EXPECT_EQ(fs::file_size(path), 0u);
    EXPECT_TRUE(file.Open(path, true));
    SchemeHeader header;
    EXPECT_FALSE(file.ReadHeader(header));
    EXPECT_FALSE(file.Create(folder.File("no such folder") / "c.scm"));
}

TEST(SchemeFileTest, SaveWritesWhatReadersRead) {
    TempFolder folder;
    const fs::path path = folder.File("s.scm");
    const std::string note(255, 'n');
    ASSERT_TRUE(SchemeFile::Save(path, note, {Entry("Alpha", 300), Entry("Beta", 0, 0)}));
    const std::string bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 268u + 2u * 55u);
    EXPECT_EQ(bytes.substr(0, 4), "SCMA");
    EXPECT_EQ(bytes.substr(260, 8), std::string("\2\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(bytes.substr(268, 6), std::string("Alpha\0", 6));
    EXPECT_EQ(bytes.substr(268 + 50, 5), std::string("\x2C\x01\0\0\1", 5));
    EXPECT_EQ(bytes.substr(268 + 55 + 50, 5), std::string("\0\0\0\0\0", 5));
    EXPECT_TRUE(SchemeFile::Validate(path));
    SchemeFile file;
    SchemeHeader header;
    ASSERT_TRUE(file.Open(path) && file.ReadHeader(header));
    EXPECT_EQ(header.note, note);
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

TEST(SchemeFileTest, LongTextsAreCut) {
    TempFolder folder;
    const fs::path path = folder.File("s.scm");
    ASSERT_TRUE(SchemeFile::Save(path, std::string(300, 'n'), {Entry(std::string(60, 'e'), 1)}));
    SchemeFile file;
    SchemeHeader header;
    ASSERT_TRUE(file.Open(path) && file.ReadHeader(header));
    EXPECT_EQ(header.note, std::string(255, 'n'));
    EXPECT_EQ(ReadEntries(path.string()).at(0).engineName, std::string(49, 'e'));
}

TEST(SchemeFileTest, FailedSaveKeepsTheOldFile) {
    TempFolder folder;
    const fs::path path = folder.File("s.scm");
    ASSERT_TRUE(SchemeFile::Save(path, "old", {Entry("Alpha", 3)}));
    const std::string before = ReadAll(path);
    EXPECT_FALSE(SchemeFile::Save(path, "new", std::vector<SchemeEntry>(10001, Entry("X", 1))));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(SchemeFile::Save(folder.Path(), "dir", {}));
    EXPECT_FALSE(SchemeFile::Save(folder.File("none") / "s.scm", "no folder", {}));
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

TEST(SchemeFileTest, SaveTakesNamesUpToTheFileSystemLimit) {
    TempFolder folder;
    const fs::path path = folder.File(std::string(251, 'l') + ".scm");
    ASSERT_TRUE(SchemeFile::Save(path, "long", {Entry("Alpha", 3)}));
    EXPECT_TRUE(SchemeFile::Validate(path));
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

}  // namespace
}  // namespace quexa::engines
