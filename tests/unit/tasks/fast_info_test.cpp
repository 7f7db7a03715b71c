#include "tasks/fast_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/prompter.h"
#include "core/result_list.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

using files::ResultFileHeader;

class SilentPrompter : public core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons) override { return Answer::Ok; }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
};

std::tm Time(int year, int month, int day, int weekday, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_wday = weekday;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(FastInfoTest, DatesCarryTheShortWeekdayAndNoPadding) {
    const struct {
        std::tm time;
        const char* text;
    } cases[] = {
        {Time(2026, 12, 8, 2, 9, 5, 3), "2026/12/8  Week:Tues. 9:5:3"},
        {Time(1999, 1, 31, 0, 0, 0, 0), "1999/1/31  Week:Sun. 0:0:0"},
        {Time(2030, 7, 4, 6, 23, 59, 59), "2030/7/4  Week:Sat. 23:59:59"},
        {Time(2001, 2, 1, 4, 12, 30, 0), "2001/2/1  Week:Thu. 12:30:0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFastInfoDate(c.time), c.text);
    }
}

TEST(FastInfoTest, WithoutAFileTheCurrentValuesAreShown) {
    const struct {
        char mode;
        const char* expectedMode;
        const char* expectedKey;
    } cases[] = {
        {TaskState::kInternetMode, "Internet Search", "solar wind"},
        {TaskState::kIntranetMode, "Intranet Search [ /srv/share;/home ]", "solar wind"},
        {TaskState::kFreeEditMode, "Free Edit Mode", ""},
    };
    for (const auto& c : cases) {
        FastInfoSource source;
        source.itemCount = 42;
        source.searchMode = c.mode;
        source.currentQuery = "solar wind";
        source.searchTarget = "/srv/share;/home";
        source.authorName = "Ada";
        const FastInfo info = DescribeFastInfo(source);
        EXPECT_EQ(info.mode, c.expectedMode);
        EXPECT_EQ(info.key, c.expectedKey);
        EXPECT_EQ(info.author, "Ada");
        EXPECT_EQ(info.count, "42 Item(s)");
        EXPECT_EQ(info.note, "");
        EXPECT_EQ(info.date, "");
        EXPECT_EQ(info.path, "");
    }
}

TEST(FastInfoTest, ASavedFileShowsItsOwnHeader) {
    const files::testing::TempFolder folder;
    const std::string path = folder.File("kept.qzr").string();
    core::ResultList list;
    ResultFileHeader written;
    written.mode = ResultFileHeader::kIntranetMode;
    written.keywords = "*.txt";
    written.searchTarget = "/data";
    written.note = "weekly";
    written.author = "Grace";
    SilentPrompter prompter;
    ASSERT_TRUE(files::WriteResultFile(path, list, written));

    TaskState state;
    state.searchMode = TaskState::kInternetMode;
    state.currentQuery = "other words";
    state.currentFile = path;
    const FastInfo info = DescribeFastInfo(GatherFastInfo(state, 7, "Ada"));
    EXPECT_EQ(info.mode, "Intranet Search [ /data ]");
    EXPECT_EQ(info.key, "*.txt");
    EXPECT_EQ(info.author, "Grace");
    EXPECT_EQ(info.note, "weekly");
    EXPECT_EQ(info.count, "7 Item(s)");
    EXPECT_EQ(info.path, path);
    EXPECT_NE(info.date.find("  Week:"), std::string::npos) << info.date;
}

TEST(FastInfoTest, AnUnreadableFileFallsBackToTheCurrentValues) {
    const files::testing::TempFolder folder;
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {{"missing.qzr", nullptr}, {"garbage.qzr", "not a result file at all"}};
    for (const auto& c : cases) {
        const std::string path = folder.File(c.name).string();
        if (c.bytes != nullptr) {
            files::testing::WriteAll(path, c.bytes);
        }
        TaskState state;
        state.searchMode = TaskState::kInternetMode;
        state.currentQuery = "solar wind";
        state.currentFile = path;
        const FastInfo info = DescribeFastInfo(GatherFastInfo(state, 0, "Ada"));
        EXPECT_EQ(info.mode, "Internet Search") << c.name;
        EXPECT_EQ(info.key, "solar wind") << c.name;
        EXPECT_EQ(info.author, "Ada") << c.name;
        EXPECT_EQ(info.path, path) << c.name;
        EXPECT_EQ(info.date, "") << c.name;
    }
}

}  // namespace
}  // namespace quexa::tasks
