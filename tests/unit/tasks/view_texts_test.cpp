#include <gtest/gtest.h>

#include <string>

#include "core/result_list.h"
#include "recording_clipboard.h"
#include "tasks/copy_text.h"
#include "tasks/summary_rows.h"

namespace quexa::tasks {
namespace {

core::ResultItem Row() {
    core::ResultItem item;
    item.title = "Tides of the north";
    item.location = "https://example.org/tides";
    item.searchTarget = "Wiby";
    item.preview = "Tables for every harbour";
    return item;
}

TEST(CopyTextTest, EachCopyCommandPutsItsText) {
    const struct {
        Command command;
        const char* text;
    } cases[] = {
        {Command::CopyItem,
         "Title: Tides of the north\r\nLocation: https://example.org/tides\r\nTarget: Wiby\r\n"
         "Preview: -----------------------------------\r\nTables for every harbour\r\n\r\n"},
        {Command::CopyLocation, "https://example.org/tides"},
        {Command::CopyTitle, "Tides of the north"},
        {Command::CopyPreview, "Tables for every harbour"},
    };
    for (const auto& c : cases) {
        testing::RecordingClipboard clipboard;
        EXPECT_TRUE(CopyToClipboard(c.command, Row(), clipboard)) << c.text;
        EXPECT_EQ(clipboard.texts, std::vector<std::string>{c.text});
    }
    testing::RecordingClipboard clipboard;
    EXPECT_FALSE(CopyToClipboard(Command::DeleteAll, Row(), clipboard));
    EXPECT_TRUE(clipboard.texts.empty());
}

TEST(SummaryRowsTest, EightRowsInTheDialogsOrder) {
    core::ResultList list;
    const struct {
        core::StatusCode status;
        core::VisitCode visit;
    } rows[] = {
        {core::StatusCode::Reachable, core::VisitCode::Visited},
        {core::StatusCode::Reachable, core::VisitCode::WithoutVisit},
        {core::StatusCode::Unreachable, core::VisitCode::WithoutVisit},
        {core::StatusCode::Unknown, core::VisitCode::Visited},
        {core::StatusCode::Verifing, core::VisitCode::WithoutVisit},
        {core::StatusCode::Normal, core::VisitCode::WithoutVisit},
        {core::StatusCode::Timeout, core::VisitCode::WithoutVisit},
    };
    for (const auto& r : rows) {
        core::ResultItem item = Row();
        item.location += std::to_string(list.Count());
        item.status = r.status;
        item.visit = r.visit;
        list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), item);
    }
    const std::array<SummaryRow, 8> expected{{
        {0, "Count: ", "7"},
        {8, "Without Visit", "5"},
        {9, "Visited", "2"},
        {10, "Normal", "1"},
        {3, "Reachable", "2"},
        {6, "Unreachable", "1"},
        {5, "Unknown", "1"},
        {7, "Verifing", "1"},
    }};
    EXPECT_EQ(SummaryRows(list.Summarize()), expected);
    core::ResultList empty;
    EXPECT_EQ(SummaryRows(empty.Summarize())[0].count, "0");
}

}  // namespace
}  // namespace quexa::tasks
