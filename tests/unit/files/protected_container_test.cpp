#include "files/protected_container.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

Record MakeRecord(int seed) {
    Record record{};
    for (std::size_t i = 0; i < record.size(); ++i) {
        record[i] = static_cast<char>(seed * 31 + static_cast<int>(i));
    }
    return record;
}

std::string HeaderBytes(const ContainerHeader& header) {
    return std::string(header.RawBytes().begin(), header.RawBytes().end());
}

std::string Scrambled(Record record, std::size_t keyLength = kKeySize) {
    Scramble(record, DefaultKey(), keyLength);
    return std::string(record.begin(), record.end());
}

// Runs in a child process: the size limit must never touch the test run itself. Once the
// limit is lifted again, nothing of the failed write may still reach the file.
void ChangePasswordWithoutDiskSpace(const fs::path& path) {
    std::signal(SIGXFSZ, SIG_IGN);
    ProtectedContainer container;
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit none{0, limit.rlim_max};
    const bool ready = container.Open(path) && setrlimit(RLIMIT_FSIZE, &none) == 0;
    const bool changed = container.ChangePassword("old", "new");
    const bool kept = container.TestPassword("old") && !container.TestPassword("new") &&
                      container.Header().CheckValue() == DeriveKey("old");
    const bool lifted = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    container.Close();
    std::exit(ready && !changed && kept && lifted ? 0 : 1);
}

class ProtectedContainerTest : public ::testing::Test {
  protected:
    // A file with the given header followed by records made from the given seeds.
    fs::path WriteFile(const ContainerHeader& header, std::initializer_list<int> seeds,
                       std::size_t keyLength = kKeySize) {
        std::string bytes = HeaderBytes(header);
        for (const int seed : seeds) {
            bytes += Scrambled(MakeRecord(seed), keyLength);
        }
        WriteAll(path_, bytes);
        return path_;
    }

    TempFolder folder_;
    const fs::path path_ = folder_.File("list.qzr");
};

TEST_F(ProtectedContainerTest, CreateWritesTheDefaultHeaderOverAnyOldContent) {
    WriteAll(path_, std::string(5000, 'x'));
    const ProtectedContainer container;
    ASSERT_TRUE(container.Create(path_));
    EXPECT_EQ(ReadAll(path_), HeaderBytes(ContainerHeader()));
    EXPECT_FALSE(container.Create(folder_.File("missing/list.qzr")));
}

TEST_F(ProtectedContainerTest, OpenRefusesWhatIsNoResultFile) {
    ProtectedContainer container;
    EXPECT_FALSE(container.Open(""));
    EXPECT_FALSE(container.Open(folder_.File("missing.qzr")));
    EXPECT_FALSE(container.Open(folder_.Path()));
    // A pipe would block the header read for good.
    const auto pipe = folder_.File("pipe.qzr");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(container.Open(pipe));
    EXPECT_FALSE(container.Open("/dev/zero"));

    // The header of an earlier file doesn't outlive a failed open.
    ContainerHeader protectedHeader;
    protectedHeader.SetCheckValue(DeriveKey("secret"));
    WriteAll(path_, HeaderBytes(protectedHeader));
    ASSERT_TRUE(container.Open(path_));
    ASSERT_TRUE(container.IsProtected());
    WriteAll(path_, HeaderBytes(ContainerHeader()).substr(0, kHeaderSize - 1));
    EXPECT_FALSE(container.Open(path_));
    EXPECT_FALSE(container.IsProtected());
    // A failed open leaves nothing open to read from.
    Record record{};
    EXPECT_FALSE(container.ReadRecord(record, 0));
    EXPECT_FALSE(container.SeekToRecords());
}

TEST_F(ProtectedContainerTest, CheckVersionJudgesTheHeaderCopy) {
    struct Case {
        std::size_t offset;
        std::string bytes;
        ProtectedContainer::Version expected;
    };
    const Case cases[] = {
        {0, "QZR", ProtectedContainer::Version::Ok},
        {400, "B", ProtectedContainer::Version::Ok},
        {400, "C", ProtectedContainer::Version::Ok},
        {0, "QZX", ProtectedContainer::Version::NotAResultFile},
        {0, "qzr", ProtectedContainer::Version::NotAResultFile},
        {3, "B", ProtectedContainer::Version::Newer},
        {429, "B", ProtectedContainer::Version::Newer},
        {400, "D", ProtectedContainer::Version::Newer},
        {400, std::string(1, '\0'), ProtectedContainer::Version::Newer},
    };
    for (const auto& c : cases) {
        ContainerHeader header;
        std::copy(c.bytes.begin(), c.bytes.end(), header.RawBytes().begin() + c.offset);
        WriteFile(header, {});
        ProtectedContainer container;
        ASSERT_TRUE(container.Open(path_));
        EXPECT_EQ(container.CheckVersion(), c.expected) << c.offset << " " << c.bytes;
    }
    // The magic is judged first.
    ContainerHeader both;
    both.RawBytes()[0] = 'X';
    both.SetModeLetter('D');
    WriteFile(both, {});
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    EXPECT_EQ(container.CheckVersion(), ProtectedContainer::Version::NotAResultFile);
}

Key DefaultKeyWith(std::size_t index, std::uint8_t value) {
    Key key = DefaultKey();
    key[index] = value;
    return key;
}

TEST_F(ProtectedContainerTest, PasswordsAgainstTheStoredCheckValue) {
    struct Case {
        Key checkValue;
        bool isProtected;
        std::vector<std::pair<std::string, bool>> tries;
    };
    const Case cases[] = {
        {DefaultKey(), false, {{"", true}, {"BrindleMoss", false}, {"x", false}}},
        {DeriveKey("BrindleMoss"),
         true,
         {{"", false}, {"BrindleMoss", true}, {"brindlemoss", false}}},
        {DeriveKey("Secret"), true, {{"", false}, {"Secret", true}, {"secret", false}}},
        // The whole key counts: it holds no zero byte that would end the comparison early.
        {DefaultKeyWith(0, 0), true, {{"", false}}},
        {DefaultKeyWith(5, 0), true, {{"", false}}},
        {DefaultKeyWith(19, 0x55), true, {{"", false}}},
    };
    for (const auto& c : cases) {
        ContainerHeader header;
        header.SetCheckValue(c.checkValue);
        WriteFile(header, {1});
        ProtectedContainer container;
        ASSERT_TRUE(container.Open(path_));
        EXPECT_EQ(container.IsProtected(), c.isProtected) << &c - cases;
        for (const auto& [text, accepted] : c.tries) {
            EXPECT_EQ(container.TestPassword(text), accepted) << &c - cases << " '" << text << "'";
        }
    }
}

TEST_F(ProtectedContainerTest, ChangePasswordSetsChangesAndRemoves) {
    WriteFile(ContainerHeader(), {1, 2});
    const std::string recordsBefore = ReadAll(path_).substr(kHeaderSize);
    struct Step {
        std::string oldPassword, newPassword;
        bool succeeds;
        std::string accepted, refused;
    };
    const Step steps[] = {
        {"", "first", true, "first", ""},         {"wrong", "second", false, "first", "second"},
        {"", "second", false, "first", "second"}, {"first", "Second", true, "Second", "first"},
        {"Second", "", true, "", "Second"},
    };
    for (const auto& step : steps) {
        {
            ProtectedContainer container;
            ASSERT_TRUE(container.Open(path_));
            EXPECT_EQ(container.ChangePassword(step.oldPassword, step.newPassword), step.succeeds)
                << step.oldPassword << " -> " << step.newPassword;
        }
        ProtectedContainer reopened;
        ASSERT_TRUE(reopened.Open(path_));
        EXPECT_TRUE(reopened.TestPassword(step.accepted)) << step.accepted;
        EXPECT_FALSE(reopened.TestPassword(step.refused)) << step.refused;
        EXPECT_EQ(reopened.IsProtected(), !step.accepted.empty());
    }
    const std::string after = ReadAll(path_);
    EXPECT_EQ(after.substr(0, kHeaderSize), HeaderBytes(ContainerHeader()));
    EXPECT_EQ(after.substr(kHeaderSize), recordsBefore);
}

TEST_F(ProtectedContainerTest, ChangePasswordKeepsTheHeaderWrittenBefore) {
    WriteFile(ContainerHeader(), {});
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    ContainerHeader header;
    header.SetKeywords("news game");
    header.SetRecordCount(7);
    ASSERT_TRUE(container.WriteHeader(header));
    ASSERT_TRUE(container.ChangePassword("", "pw"));
    container.Close();
    ASSERT_TRUE(container.Open(path_));
    EXPECT_EQ(container.Header().Keywords(), "news game");
    EXPECT_EQ(container.Header().RecordCount(), 7u);
    EXPECT_TRUE(container.TestPassword("pw"));
}

TEST_F(ProtectedContainerTest, FailedPasswordWriteRestoresTheCheckValue) {
    ProtectedContainer closed;
    EXPECT_FALSE(closed.ChangePassword("", "pw"));
    EXPECT_FALSE(closed.IsProtected());
    EXPECT_TRUE(closed.TestPassword(""));

    // No write may change a file once the size limit is zero, even for root.
    ContainerHeader header;
    header.SetCheckValue(DeriveKey("old"));
    WriteFile(header, {1});
    const std::string before = ReadAll(path_);
    const fs::path path = path_;
    EXPECT_EXIT(ChangePasswordWithoutDiskSpace(path), ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(ReadAll(path_) == before) << "the file changed";
}

TEST_F(ProtectedContainerTest, RecordsAreScrambledAtTheirOwnOffsets) {
    const ContainerHeader header;
    WriteFile(header, {});
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    for (const int index : {3, 0, 4, 1, 2}) {
        Record record = MakeRecord(index);
        ASSERT_TRUE(container.WriteRecord(record, index));
        EXPECT_EQ(std::string(record.begin(), record.end()), Scrambled(MakeRecord(index)))
            << "the caller's buffer is scrambled in place";
    }
    ASSERT_TRUE(container.Flush());

    const std::string bytes = ReadAll(path_);
    ASSERT_EQ(bytes.size(), kHeaderSize + 5 * kRecordSize);
    for (int n = 0; n < 5; ++n) {
        const std::size_t at = kHeaderSize + kRecordSize * static_cast<std::size_t>(n);
        EXPECT_EQ(bytes.substr(at, kRecordSize), Scrambled(MakeRecord(n))) << n;
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[at] ^ MakeRecord(n)[0]), DefaultKey()[0]);
    }
    for (const int index : {2, 4, 0}) {
        Record record{};
        ASSERT_TRUE(container.ReadRecord(record, index));
        EXPECT_EQ(record, MakeRecord(index)) << index;
    }
    // The current position follows the last record read.
    Record next{};
    ASSERT_TRUE(container.ReadRecord(next));
    EXPECT_EQ(next, MakeRecord(1));
}

TEST_F(ProtectedContainerTest, ScramblingFollowsTheHeaderKeyLength) {
    struct Case {
        std::uint32_t headerLength;
        std::size_t usedLength;
    };
    for (const Case c : {Case{7, 7}, Case{1, 1}, Case{0, 20}, Case{21, 20}, Case{~0u, 20}}) {
        ContainerHeader header;
        header.SetKeyLength(c.headerLength);
        WriteFile(header, {5}, c.usedLength);
        ProtectedContainer container;
        ASSERT_TRUE(container.Open(path_));
        Record record{};
        ASSERT_TRUE(container.ReadRecord(record, 0));
        EXPECT_EQ(record, MakeRecord(5)) << c.headerLength;
    }
}

TEST_F(ProtectedContainerTest, SequentialReadingStartsAtTheRecordOffset) {
    ContainerHeader header;
    header.SetRecordOffset(static_cast<std::uint32_t>(kRecordSize));
    WriteFile(header, {10, 11, 12});
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    ASSERT_TRUE(container.SeekToRecords());
    Record record{};
    ASSERT_TRUE(container.ReadRecord(record));
    EXPECT_EQ(record, MakeRecord(11));
    ASSERT_TRUE(container.ReadRecord(record));
    EXPECT_EQ(record, MakeRecord(12));
    EXPECT_FALSE(container.ReadRecord(record));
    // Indexed records ignore the record offset.
    ASSERT_TRUE(container.ReadRecord(record, 0));
    EXPECT_EQ(record, MakeRecord(10));
}

TEST_F(ProtectedContainerTest, ShortReadsFailWithWhatWasRead) {
    WriteFile(ContainerHeader(), {1, 2});
    WriteAll(path_, ReadAll(path_).substr(0, kHeaderSize + kRecordSize + 100));
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    ASSERT_TRUE(container.SeekToRecords());
    Record record{};
    ASSERT_TRUE(container.ReadRecord(record));
    record.fill('\0');
    EXPECT_FALSE(container.ReadRecord(record));
    const Record second = MakeRecord(2);
    EXPECT_TRUE(std::equal(record.begin(), record.begin() + 100, second.begin()));
    EXPECT_EQ(record[100], '\0');
    EXPECT_FALSE(container.ReadRecord(record));
    EXPECT_FALSE(container.ReadRecord(record, 7));
    EXPECT_FALSE(container.ReadRecord(record, -2));
    EXPECT_TRUE(container.ReadRecord(record, 0)) << "a failed read does not spoil the stream";
}

TEST_F(ProtectedContainerTest, ReadingAndWritingAtTheCurrentPositionMix) {
    WriteFile(ContainerHeader(), {1, 2, 3});
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    Record record{};
    ASSERT_TRUE(container.ReadRecord(record, 0));
    Record replacement = MakeRecord(20);
    ASSERT_TRUE(container.WriteRecord(replacement));
    ASSERT_TRUE(container.ReadRecord(record));
    EXPECT_EQ(record, MakeRecord(3));
    container.Close();

    ASSERT_TRUE(container.Open(path_));
    for (const int expected : {1, 20, 3}) {
        ASSERT_TRUE(container.ReadRecord(record));
        EXPECT_EQ(record, MakeRecord(expected));
    }
}

TEST_F(ProtectedContainerTest, HeaderReadAndWrite) {
    WriteFile(ContainerHeader(), {1});
    ProtectedContainer container;
    ContainerHeader buffer;
    buffer.SetNote("stale");
    EXPECT_FALSE(container.ReadHeader(buffer));
    EXPECT_EQ(HeaderBytes(buffer), HeaderBytes(ContainerHeader()));
    EXPECT_FALSE(container.WriteHeader(buffer));

    ASSERT_TRUE(container.Open(path_));
    ContainerHeader written;
    written.SetModeLetter('B');
    written.SetSearchTarget("/srv/share");
    written.SetAuthor("Ann");
    written.SetRecordCount(1);
    ASSERT_TRUE(container.WriteHeader(written));
    EXPECT_EQ(container.Header().SearchTarget(), "/srv/share");
    ASSERT_TRUE(container.ReadHeader(buffer));
    EXPECT_EQ(HeaderBytes(buffer), HeaderBytes(written));
    Record record{};
    ASSERT_TRUE(container.ReadRecord(record, 0));
    EXPECT_EQ(record, MakeRecord(1));
    container.Close();
    EXPECT_EQ(ReadAll(path_).substr(0, kHeaderSize), HeaderBytes(written));
}

TEST_F(ProtectedContainerTest, ReadOnlyFileGetsWritePermissionBack) {
    WriteFile(ContainerHeader(), {1});
    fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ProtectedContainer container;
    ASSERT_TRUE(container.Open(path_));
    const fs::perms perms = fs::status(path_).permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(perms & (fs::perms::group_write | fs::perms::others_write), fs::perms::none);
    Record record = MakeRecord(9);
    ASSERT_TRUE(container.WriteRecord(record, 0));
    ASSERT_TRUE(container.Flush());
    container.Close();
    EXPECT_EQ(ReadAll(path_).substr(kHeaderSize), Scrambled(MakeRecord(9)));
}

TEST_F(ProtectedContainerTest, CloseIsIdempotentAndDestructionFlushes) {
    ProtectedContainer never;
    never.Close();
    never.Close();
    EXPECT_FALSE(never.Flush());

    WriteFile(ContainerHeader(), {});
    {
        ProtectedContainer container;
        ASSERT_TRUE(container.Open(path_));
        Record record = MakeRecord(4);
        ASSERT_TRUE(container.WriteRecord(record));
        container.Close();
        container.Close();
        EXPECT_FALSE(container.WriteRecord(record));
        EXPECT_FALSE(container.SeekToRecords());
        ASSERT_TRUE(container.Open(path_));
        record = MakeRecord(5);
        ASSERT_TRUE(container.WriteRecord(record, 1));
    }
    EXPECT_EQ(ReadAll(path_).substr(kHeaderSize),
              Scrambled(MakeRecord(4)) + Scrambled(MakeRecord(5)));
}

}  // namespace
}  // namespace quexa::files
