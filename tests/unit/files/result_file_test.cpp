#include "files/result_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using core::ResultItem;
using core::StatusCode;
using core::VisitCode;
using testing::ReadAll;
using testing::ScriptedPrompter;
using testing::TempFolder;
using testing::WriteAll;

ResultItem Item(std::string title, std::string location, StatusCode status = StatusCode::Normal,
                VisitCode visit = VisitCode::WithoutVisit, bool selected = false) {
    ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = "Engine";
    item.preview = "Preview of " + item.title;
    item.status = status;
    item.visit = visit;
    item.selected = selected;
    return item;
}

void Fill(core::ResultList& list, std::size_t count, std::string_view prefix = "http://h/") {
    for (std::size_t i = 0; i < count; ++i) {
        list.AddItem(static_cast<std::ptrdiff_t>(list.Count()),
                     Item("Title " + std::to_string(i), std::string(prefix) + std::to_string(i)));
    }
}

std::vector<std::string> Files(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

std::string Header(std::uint32_t count, char mode) {
    ContainerHeader bytes;
    bytes.SetModeLetter(mode);
    bytes.SetRecordCount(count);
    return std::string(bytes.RawBytes().begin(), bytes.RawBytes().end());
}

std::string ScrambledRecord(const ResultItem& item) {
    Record record = EncodeRecord(item);
    Scramble(record, DefaultKey());
    return std::string(record.begin(), record.end());
}

bool RunningAsRoot() {
    return geteuid() == 0;
}

TEST(ResultFileFlagsTest, EachStatusWritesExactlyOneStatusBit) {
    const struct {
        StatusCode status;
        VisitCode visit;
        bool selected;
        std::uint8_t flags;
    } cases[] = {
        {StatusCode::Reachable, VisitCode::WithoutVisit, false, 0x08},
        {StatusCode::Timeout, VisitCode::WithoutVisit, false, 0x01},
        {StatusCode::Unknown, VisitCode::WithoutVisit, false, 0x02},
        {StatusCode::Unreachable, VisitCode::WithoutVisit, false, 0x04},
        {StatusCode::Verifing, VisitCode::WithoutVisit, false, 0x10},
        {StatusCode::Normal, VisitCode::WithoutVisit, false, 0x10},
        {StatusCode::Normal, VisitCode::Visited, false, 0x50},
        {StatusCode::Reachable, VisitCode::WithoutVisit, true, 0x28},
        {StatusCode::Unreachable, VisitCode::Visited, true, 0x64},
    };
    for (const auto& c : cases) {
        const ResultItem item = Item("t", "l", c.status, c.visit, c.selected);
        EXPECT_EQ(EncodeFlags(item), c.flags) << static_cast<int>(c.status);
    }
}

TEST(ResultFileFlagsTest, ReadingTestsTheStatusBitsInOrder) {
    const struct {
        std::uint8_t flags;
        StatusCode status;
        VisitCode visit;
        bool selected;
    } cases[] = {
        {0x00, StatusCode::Normal, VisitCode::WithoutVisit, false},
        {0x10, StatusCode::Normal, VisitCode::WithoutVisit, false},
        {0x80, StatusCode::Normal, VisitCode::WithoutVisit, false},
        {0x0F, StatusCode::Reachable, VisitCode::WithoutVisit, false},
        {0x07, StatusCode::Unreachable, VisitCode::WithoutVisit, false},
        {0x03, StatusCode::Unknown, VisitCode::WithoutVisit, false},
        {0x11, StatusCode::Timeout, VisitCode::WithoutVisit, false},
        {0x20, StatusCode::Normal, VisitCode::WithoutVisit, true},
        {0x40, StatusCode::Normal, VisitCode::Visited, false},
        {0xFF, StatusCode::Reachable, VisitCode::Visited, true},
    };
    for (const auto& c : cases) {
        ResultItem item;
        DecodeFlags(c.flags, item);
        EXPECT_EQ(item.status, c.status) << int{c.flags};
        EXPECT_EQ(item.visit, c.visit) << int{c.flags};
        EXPECT_EQ(item.selected, c.selected) << int{c.flags};
    }
}

TEST(ResultFileRecordTest, FieldsSitAtTheirOffsets) {
    ResultItem item = Item("T", "L", StatusCode::Unknown, VisitCode::Visited, true);
    item.searchTarget = "S";
    item.preview = "P";
    const Record record = EncodeRecord(item);
    const struct {
        std::size_t offset;
        char byte;
    } cases[] = {
        {0, 'T'},    {1, '\0'},   {59, '\0'}, {60, 'S'},   {61, '\0'},  {109, '\0'}, {110, 'L'},
        {111, '\0'}, {364, '\0'}, {365, 'P'}, {366, '\0'}, {620, '\0'}, {621, 0x62},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(record[c.offset], c.byte) << c.offset;
    }
}

TEST(ResultFileRecordTest, TextsAreCutToTheirFieldsWithoutTerminator) {
    const struct {
        std::string text;
        std::size_t offset;
        std::size_t width;
        std::string stored;
    } cases[] = {
        {std::string(60, 't'), 0, 60, std::string(60, 't')},
        {std::string(70, 's'), 60, 50, std::string(50, 's')},
        {std::string(49, 's') + "\xC3\xA9", 60, 50, std::string(49, 's')},
        {std::string(255, 'l'), 110, 255, std::string(255, 'l')},
        {std::string(300, 'p'), 365, 256, std::string(256, 'p')},
    };
    for (const auto& c : cases) {
        ResultItem item;
        if (c.offset == 0) {
            item.title = c.text;
        } else if (c.offset == 60) {
            item.searchTarget = c.text;
        } else if (c.offset == 110) {
            item.location = c.text;
        } else {
            item.preview = c.text;
        }
        const Record record = EncodeRecord(item);
        std::string field(record.data() + c.offset, c.width);
        field.resize(field.find('\0') == std::string::npos ? c.width : field.find('\0'));
        EXPECT_EQ(field, c.stored) << c.offset;
        // The next field starts right behind a full one.
        const ResultItem back = DecodeRecord(record);
        const std::string& read = c.offset == 0     ? back.title
                                  : c.offset == 60  ? back.searchTarget
                                  : c.offset == 110 ? back.location
                                                    : back.preview;
        EXPECT_EQ(read, c.stored) << c.offset;
    }
}

TEST(ResultFileRecordTest, ItemsComeBackAsTheyWereExceptVerifying) {
    const ResultItem cases[] = {
        Item("Reachable", "http://a/", StatusCode::Reachable, VisitCode::Visited, true),
        Item("Timeout", "http://b/", StatusCode::Timeout),
        Item("Unknown", "/srv/c.txt", StatusCode::Unknown, VisitCode::WithoutVisit, true),
        Item("Unreachable", "http://d/", StatusCode::Unreachable, VisitCode::Visited),
        Item("Normal", "ftp://e/", StatusCode::Normal),
        Item("Caf\xC3\xA9", "http://f/\xC3\xA9", StatusCode::Verifing),
    };
    for (const ResultItem& item : cases) {
        const ResultItem back = DecodeRecord(EncodeRecord(item));
        EXPECT_EQ(back.title, item.title);
        EXPECT_EQ(back.location, item.location);
        EXPECT_EQ(back.searchTarget, item.searchTarget);
        EXPECT_EQ(back.preview, item.preview);
        EXPECT_EQ(back.status,
                  item.status == StatusCode::Verifing ? StatusCode::Normal : item.status);
        EXPECT_EQ(back.visit, item.visit);
        EXPECT_EQ(back.selected, item.selected);
    }
}

// A load decodes records straight from the scrambled bytes: that must read every field as
// descrambling first would, whatever the field's terminator, or none.
TEST(ResultFileRecordTest, DecodingWithAMaskIsDecodingTheMaskedRecord) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> chance(0, 99);
    for (int round = 0; round < 3000; ++round) {
        Record plain{};
        Record mask{};
        // Zero bytes now rare, now common, so fields end early, late or not at all.
        const int zeros = round % 3 == 0 ? 0 : round % 3 == 1 ? 2 : 30;
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            plain[i] = chance(random) < zeros ? '\0' : static_cast<char>(1 + byte(random) % 255);
            mask[i] = static_cast<char>(byte(random));
        }
        Record scrambled = plain;
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            scrambled[i] = static_cast<char>(plain[i] ^ mask[i]);
        }
        const ResultItem expected = DecodeRecord(plain);
        const ResultItem decoded = DecodeRecord(scrambled, mask);
        ASSERT_EQ(decoded.title, expected.title) << round;
        ASSERT_EQ(decoded.searchTarget, expected.searchTarget) << round;
        ASSERT_EQ(decoded.location, expected.location) << round;
        ASSERT_EQ(decoded.preview, expected.preview) << round;
        ASSERT_EQ(decoded.status, expected.status) << round;
        ASSERT_EQ(decoded.visit, expected.visit) << round;
        ASSERT_EQ(decoded.selected, expected.selected) << round;
    }
}

class ResultFileTest : public ::testing::Test {
  protected:
    bool Write(const core::ResultList& list, const fs::path& path,
               const FileProgress& progress = {}, const ExportRule* rule = nullptr) {
        return WriteResultFile(path, list, header_, progress, rule);
    }
    std::optional<ResultFileHeader> Load(core::ResultList& list, const LoadOptions& options = {},
                                         const FileProgress& progress = {}) {
        const LoadedFile loaded = LoadResultFile(path_, list, options, progress);
        lastOutcome_ = loaded.outcome;
        return loaded.Loaded() ? std::optional(loaded.header) : std::nullopt;
    }
    LoadOutcome lastOutcome_ = LoadOutcome::Loaded;

    TempFolder folder_;
    const fs::path path_ = folder_.File("list.qzr");
    ScriptedPrompter prompter_;
    ResultFileHeader header_{.mode = ResultFileHeader::kIntranetMode,
                             .keywords = "*.txt",
                             .searchTarget = "/srv/share",
                             .note = "",
                             .author = "Ann",
                             .stateFileName = "b1",
                             .checkValue = DefaultKey(),
                             .count = 0};
};

TEST_F(ResultFileTest, SavedListLoadsBackWithItsHeader) {
    core::ResultList list;
    list.AddItem(0, Item("One", "http://one/", StatusCode::Reachable, VisitCode::Visited, true));
    list.AddItem(1, Item("Two", "/srv/two.txt", StatusCode::Verifing));
    ASSERT_TRUE(Write(list, path_));
    const std::string bytes = ReadAll(path_);
    ASSERT_EQ(bytes.size(), kHeaderSize + 2 * kRecordSize);
    // The first byte of a record is XORed with the first key byte.
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[kHeaderSize]), 'O' ^ DefaultKey()[0]);

    core::ResultList loaded;
    const std::optional<ResultFileHeader> header = Load(loaded);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->mode, 'B');
    EXPECT_EQ(header->keywords, "*.txt");
    EXPECT_EQ(header->searchTarget, "/srv/share");
    EXPECT_EQ(header->author, "Ann");
    EXPECT_EQ(header->stateFileName, "b1");
    EXPECT_EQ(header->count, 2U);
    EXPECT_FALSE(header->IsProtected());
    ASSERT_EQ(loaded.Count(), 2U);
    EXPECT_EQ(loaded.Item(0).title, "One");
    EXPECT_TRUE(loaded.Item(0).selected);
    EXPECT_EQ(loaded.Item(0).visit, VisitCode::Visited);
    EXPECT_EQ(loaded.Item(1).status, StatusCode::Normal);
    EXPECT_TRUE(loaded.Locations().Contains("HTTP://ONE/"));
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(ResultFileTest, ARuleWritesFewerRecordsButCountsEveryRow) {
    core::ResultList list;
    list.AddItem(0, Item("Kept", "http://a/", StatusCode::Normal, VisitCode::WithoutVisit, true));
    list.AddItem(1, Item("Dropped", "http://b/"));
    ExportRule rule;
    rule.selected = true;
    rule.normal = false;
    rule.visited = false;
    rule.noVisit = false;
    ASSERT_TRUE(Write(list, path_, {}, &rule));
    EXPECT_EQ(ReadAll(path_).size(), kHeaderSize + kRecordSize);
    core::ResultList loaded;
    const std::optional<ResultFileHeader> header = Load(loaded);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->count, 2U);
    ASSERT_EQ(loaded.Count(), 1U);
    EXPECT_EQ(loaded.Item(0).title, "Kept");
}

TEST_F(ResultFileTest, DamagedFilesLoadWhatIsThereOrNothingWithTheirMessages) {
    const std::string two =
        ScrambledRecord(Item("A", "http://a/")) + ScrambledRecord(Item("B", "http://b/"));
    const auto withCount = [](std::uint32_t count, char mode = 'C') { return Header(count, mode); };
    std::string wrongMagic = withCount(2);
    wrongMagic[0] = 'X';
    std::string newerFormat = withCount(2);
    newerFormat[3] = 'B';
    std::string newerSecond = withCount(2);
    newerSecond[429] = 'B';
    std::string hugeOffset = withCount(2);
    hugeOffset.replace(430, 4, "\xFF\xFF\xFF\xFF");
    std::string zeroKeyLength = withCount(2);
    zeroKeyLength.replace(434, 4, std::string(4, '\0'));
    const struct {
        const char* name;
        std::string bytes;
        LoadOutcome outcome;
        std::size_t items;
    } cases[] = {
        {"empty", "", LoadOutcome::CannotOpen, 0},
        {"short header", withCount(2).substr(0, 497), LoadOutcome::CannotOpen, 0},
        {"header only", withCount(0), LoadOutcome::Loaded, 0},
        {"count above the records", withCount(5) + two, LoadOutcome::Loaded, 2},
        {"count of all bits", withCount(0xFFFFFFFF) + two, LoadOutcome::Loaded, 2},
        {"count below the records", withCount(1) + two, LoadOutcome::Loaded, 1},
        {"truncated record", withCount(2) + two.substr(0, kRecordSize + 300), LoadOutcome::Loaded,
         1},
        {"record offset past the end", hugeOffset + two, LoadOutcome::Loaded, 0},
        {"key length 0 scrambles with the whole key", zeroKeyLength + two, LoadOutcome::Loaded, 2},
        {"wrong magic", wrongMagic + two, LoadOutcome::NotAResultFile, 0},
        {"newer format letter", newerFormat + two, LoadOutcome::NewerVersion, 0},
        {"newer second letter", newerSecond + two, LoadOutcome::NewerVersion, 0},
        {"newer mode", withCount(2, 'D') + two, LoadOutcome::NewerVersion, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(path_, c.bytes);
        prompter_.boxes.clear();
        core::ResultList list;
        list.AddItem(0, Item("Before", "http://before/"));
        LoadOptions options;
        options.skipListed = false;
        const std::optional<ResultFileHeader> header = Load(list, options);
        EXPECT_EQ(lastOutcome_, c.outcome);
        EXPECT_EQ(header.has_value(), c.outcome == LoadOutcome::Loaded);
        ASSERT_EQ(list.Count(), 1 + c.items);
        EXPECT_EQ(list.Item(0).title, "Before");
        if (c.items > 0) {
            EXPECT_EQ(list.Item(1).title, "A");
        }
        EXPECT_TRUE(prompter_.boxes.empty()) << "the caller tells what went wrong";
    }
}

TEST_F(ResultFileTest, WhatIsNoRegularFileIsNotRead) {
    const fs::path fifo = folder_.File("pipe.qzr");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const fs::path cases[] = {folder_.File("missing.qzr"), folder_.Path(), fifo, "/dev/zero"};
    for (const fs::path& path : cases) {
        core::ResultList list;
        EXPECT_EQ(LoadResultFile(path, list, {}).outcome, LoadOutcome::CannotOpen) << path;
        EXPECT_EQ(list.Count(), 0U);
    }
}

TEST_F(ResultFileTest, ListedLocationsAreSkippedOnlyWhenAsked) {
    core::ResultList saved;
    Fill(saved, 4);
    ASSERT_TRUE(Write(saved, path_));
    const struct {
        bool append;
        bool skipListed;
        std::vector<std::string> titles;
    } cases[] = {
        // Import: the two listed ones are skipped, letter case ignored.
        {true, true, {"x", "y", "Title 0", "Title 2"}},
        {true, false, {"x", "y", "Title 0", "Title 1", "Title 2", "Title 3"}},
        // Open: the set is emptied first, so nothing counts as listed.
        {false, true, {"x", "y", "Title 0", "Title 1", "Title 2", "Title 3"}},
    };
    for (const auto& c : cases) {
        core::ResultList list;
        list.AddItem(0, Item("x", "HTTP://H/1"));
        list.AddItem(1, Item("y", "http://h/3"));
        LoadOptions options;
        options.append = c.append;
        options.skipListed = c.skipListed;
        ASSERT_TRUE(Load(list, options));
        std::vector<std::string> titles;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            titles.push_back(list.Item(row).title);
        }
        EXPECT_EQ(titles, c.titles) << c.append << c.skipListed;
    }
}

// Records come in batches from a reading thread: a long list keeps its order across them, and
// a cancel at any row, early or late, keeps exactly the rows before it.
TEST_F(ResultFileTest, LongListsLoadInOrderAndStopAtAnyCancel) {
    core::ResultList saved;
    Fill(saved, 5000);
    ASSERT_TRUE(Write(saved, path_));
    // A caller that keeps up decodes batches itself; one that lags gets them decoded by the
    // reading thread. Either way the same list.
    std::size_t rows = 0;
    const FileProgress lagging{nullptr, [&] {
                                   if (++rows % 1500 == 1) {
                                       std::this_thread::sleep_for(std::chrono::milliseconds(100));
                                   }
                               }};
    for (const FileProgress& progress : {FileProgress{}, lagging}) {
        core::ResultList whole;
        ASSERT_TRUE(Load(whole, {}, progress));
        ASSERT_EQ(whole.Count(), 5000U);
        for (std::size_t row = 0; row < whole.Count(); ++row) {
            ASSERT_EQ(whole.Item(row).title, "Title " + std::to_string(row));
            ASSERT_EQ(whole.Item(row).location, "http://h/" + std::to_string(row));
        }
    }
    for (const std::size_t cancelAt : {1U, 1023U, 1024U, 1025U, 3100U, 4999U}) {
        core::WaitState wait;
        std::size_t pumped = 0;
        FileProgress cancelling{&wait, [&] {
                                    if (++pumped == cancelAt) {
                                        wait.Cancel();
                                    }
                                }};
        core::ResultList loaded;
        ASSERT_TRUE(Load(loaded, {}, cancelling));
        ASSERT_EQ(loaded.Count(), cancelAt);
        EXPECT_EQ(loaded.Item(cancelAt - 1).title, "Title " + std::to_string(cancelAt - 1));
        // What was read ahead but not added is not counted as listed.
        EXPECT_EQ(loaded.Locations().Size(), cancelAt);
    }
}

TEST_F(ResultFileTest, TheWaitWindowFollowsTheWorkAndItsCancelEndsTheLoad) {
    core::ResultList saved;
    Fill(saved, 50);
    core::WaitState wait;
    std::vector<core::WaitState::Snapshot> seen;
    FileProgress progress{&wait, [&] { seen.push_back(wait.Read()); }};
    ASSERT_TRUE(Write(saved, path_, progress));
    ASSERT_EQ(seen.size(), 50U);
    EXPECT_TRUE(seen[0].open);
    EXPECT_EQ(seen[0].text, "Saving , please stand by ... ...");
    EXPECT_EQ(seen[0].total, 50U);
    EXPECT_FALSE(seen[0].showCancel);
    EXPECT_EQ(seen[49].position, 49U);
    EXPECT_FALSE(wait.IsOpen());

    seen.clear();
    core::ResultList loaded;
    FileProgress cancelling{&wait, [&] {
                                seen.push_back(wait.Read());
                                if (seen.size() == 10) {
                                    wait.Cancel();
                                }
                            }};
    ASSERT_TRUE(Load(loaded, {}, cancelling));
    EXPECT_EQ(loaded.Count(), 10U);
    EXPECT_EQ(seen[0].text, "Loading , please stand by ... ...");
    EXPECT_EQ(seen[0].total, 50U);
    EXPECT_EQ(seen[5].position, 5U);
    EXPECT_FALSE(wait.IsOpen());
}

// What a failed save must leave: the old file as it was and nothing else in its folder.
class FailedSaveTest : public ResultFileTest {
  protected:
    void SetUp() override {
        core::ResultList old;
        Fill(old, 3, "http://old/");
        ASSERT_TRUE(Write(old, path_));
        before_ = ReadAll(path_);
        Fill(bigger_, 20000);
    }
    void ExpectUntouched() {
        EXPECT_EQ(ReadAll(path_), before_);
        EXPECT_EQ(Files(folder_.Path()), std::vector<std::string>{"list.qzr"});
    }
    // Runs the save in a child process and returns its wait status.
    template <typename Setup>
    int SaveInChild(Setup setup, const FileProgress& progress = {}) {
        const pid_t child = fork();
        if (child == 0) {
            setup();
            std::_Exit(Write(bigger_, path_, progress) ? 0 : 3);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }

    std::string before_;
    core::ResultList bigger_;
};

TEST_F(FailedSaveTest, AReadOnlyFolderRefusesTheSave) {
    fs::permissions(folder_.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    const int status = SaveInChild([] {
        // Root writes into any folder: the save runs as nobody then.
        if (RunningAsRoot() && setuid(65534) != 0) {
            std::_Exit(4);
        }
    });
    fs::permissions(folder_.Path(), fs::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    ExpectUntouched();
}

TEST_F(FailedSaveTest, AFullFileSystemRefusesTheSave) {
    // The file size limit stands in for a full disk: every write past it fails.
    const int status = SaveInChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200000, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    ExpectUntouched();
}

TEST_F(FailedSaveTest, AProcessKilledWhileWritingLeavesTheOldFile) {
    // Killed once several megabytes have gone to the new file.
    std::size_t rows = 0;
    const FileProgress killing{nullptr, [&rows] {
                                   if (++rows == 15000) {
                                       std::raise(SIGKILL);
                                   }
                               }};
    const int status = SaveInChild([] {}, killing);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    ExpectUntouched();
}

TEST_F(FailedSaveTest, ASuccessfulSaveReplacesTheFileAndLeavesNoOtherFile) {
    const int status = SaveInChild([] {});
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(path_).size(), kHeaderSize + 20000 * kRecordSize);
    EXPECT_EQ(Files(folder_.Path()), std::vector<std::string>{"list.qzr"});
}

TEST_F(ResultFileTest, ThePasswordPromptAsksUntilAcceptedOrCancelled) {
    core::ResultList list;
    Fill(list, 1);
    header_.SetPassword("Secret");
    ASSERT_TRUE(Write(list, path_));
    const std::string wrong = "Error: Password unvaild\ntry again ?";
    using Answer = core::Prompter::Answer;
    const struct {
        const char* name;
        std::vector<std::optional<std::string>> passwords;
        std::vector<Answer> answers;
        bool accepted;
        int dialogs;
        std::vector<std::string> boxes;
    } cases[] = {
        {"right at once", {"Secret"}, {}, true, 1, {}},
        {"cancelled", {std::nullopt}, {}, false, 1, {}},
        {"letter case matters", {"secret"}, {Answer::Cancel}, false, 1, {wrong}},
        {"wrong, again, right", {"x", "Secret"}, {Answer::Yes}, true, 2, {wrong}},
        {"wrong twice", {"x", "y"}, {Answer::Yes, Answer::Cancel}, false, 2, {wrong, wrong}},
        {"empty refused", {""}, {Answer::Cancel}, false, 1, {wrong}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter prompter;
        prompter.passwords.assign(c.passwords.begin(), c.passwords.end());
        prompter.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(PromptForPassword(path_, prompter), c.accepted);
        EXPECT_EQ(prompter.passwordDialogs, c.dialogs);
        EXPECT_EQ(prompter.boxes, c.boxes);
    }
}

TEST_F(ResultFileTest, ThePasswordPromptOfAnUnreadableFile) {
    core::ResultList list;
    Fill(list, 1);
    header_.checkValue = DeriveKey(kDefaultKeyMaterial);
    ASSERT_TRUE(Write(list, path_));
    const std::string failed = "Error: " + std::string(kOperatorFileFailed);
    const struct {
        fs::path path;
        bool quiet;
        bool accepted;
        int dialogs;
        std::vector<std::string> boxes;
    } cases[] = {
        {folder_.File("missing.qzr"), false, false, 0, {failed}},
        {folder_.File("missing.qzr"), true, false, 0, {}},
        // Protected with the default key material itself: the empty text is refused.
        {path_, false, false, 1, {"Error: Password unvaild\ntry again ?"}},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter;
        prompter.passwords.push_back("");
        EXPECT_EQ(PromptForPassword(c.path, prompter, c.quiet), c.accepted) << c.path;
        EXPECT_EQ(prompter.passwordDialogs, c.dialogs);
        EXPECT_EQ(prompter.boxes, c.boxes);
    }
}

}  // namespace
}  // namespace quexa::files
