// The plain text, TAB-separated and link list exports, the item text of Copy Item, and which
// rows and fields the profile's export settings take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "files/export_job.h"
#include "files/export_rule.h"
#include "files/item_text.h"
#include "files/link_list.h"
#include "files/tab_export.h"
#include "files/text_export.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
namespace settings = core::settings;
using core::ResultItem;
using core::StatusCode;
using core::VisitCode;
using testing::ReadAll;
using testing::ScriptedPrompter;
using testing::TempFolder;
using testing::WriteAll;

ResultItem Item(std::string title, std::string location, std::string target, std::string preview,
                StatusCode status = StatusCode::Normal, VisitCode visit = VisitCode::WithoutVisit,
                bool selected = false) {
    ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = std::move(target);
    item.preview = std::move(preview);
    item.status = status;
    item.visit = visit;
    item.selected = selected;
    return item;
}

// Two rows the default rule takes (Normal, Reachable) around one it leaves out (Unreachable,
// unvisited).
void FillThree(core::ResultList& list) {
    list.AddItem(0, Item("Alpha", "http://a.example/", "Wiki", "First"));
    list.AddItem(1, Item("Beta", "http://b.example/", "Arxiv", "Second", StatusCode::Unreachable));
    list.AddItem(
        2, Item("Gamma", "/srv/g.txt", "host", "Third", StatusCode::Reachable, VisitCode::Visited));
}

ExportFields Switches(bool title, bool location, bool target, bool preview) {
    ExportFields fields;
    fields.title = title;
    fields.location = location;
    fields.target = target;
    fields.preview = preview;
    return fields;
}

TEST(TextExportTest, WritesTheLabelledFieldsOfTheRowsTaken) {
    ExportFields labels;
    labels.titleLabel = "T=";
    labels.locationLabel = "";
    labels.targetLabel = "E=";
    labels.previewLabel = "P=";
    const struct {
        const char* name;
        ExportFields fields;
        bool all;
        std::string expected;
    } cases[] = {
        {"every field, all rows", ExportFields{}, true,
         "Title: Alpha\r\nLocation: http://a.example/\r\nSearch Target: Wiki\r\nPreview: "
         "First\r\n"
         "Title: Beta\r\nLocation: http://b.example/\r\nSearch Target: Arxiv\r\nPreview: "
         "Second\r\n"
         "Title: Gamma\r\nLocation: /srv/g.txt\r\nSearch Target: host\r\nPreview: Third\r\n"},
        {"the rule leaves the unreachable row out", ExportFields{}, false,
         "Title: Alpha\r\nLocation: http://a.example/\r\nSearch Target: Wiki\r\nPreview: "
         "First\r\n"
         "Title: Gamma\r\nLocation: /srv/g.txt\r\nSearch Target: host\r\nPreview: Third\r\n"},
        {"own labels, an empty one", labels, false,
         "T=Alpha\r\nhttp://a.example/\r\nE=Wiki\r\nP=First\r\n"
         "T=Gamma\r\n/srv/g.txt\r\nE=host\r\nP=Third\r\n"},
        {"location and preview only", Switches(false, true, false, true), true,
         "Location: http://a.example/\r\nPreview: First\r\nLocation: http://b.example/\r\n"
         "Preview: Second\r\nLocation: /srv/g.txt\r\nPreview: Third\r\n"},
        {"every switch off", Switches(false, false, false, false), true, ""},
    };
    core::ResultList list;
    FillThree(list);
    const TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJob job;
        job.fields = c.fields;
        if (!c.all) {
            job.rule = ExportRule{};
        }
        const fs::path path = folder.File("out.txt");
        ASSERT_TRUE(WriteTextExport(path, list, job));
        EXPECT_EQ(ReadAll(path), c.expected);
    }
}

TEST(TabExportTest, EveryLineHasFourTabsWhateverTheSwitches) {
    const struct {
        const char* name;
        ExportFields fields;
        std::string expected;
    } cases[] = {
        {"every field", ExportFields{},
         "Alpha\thttp://a.example/\tWiki\tFirst\t\r\nBeta\thttp://b.example/\tArxiv\tSecond\t\r\n"
         "Gamma\t/srv/g.txt\thost\tThird\t\r\n"},
        {"title and target", Switches(true, false, true, false),
         "Alpha\t\tWiki\t\t\r\nBeta\t\tArxiv\t\t\r\nGamma\t\thost\t\t\r\n"},
        {"every switch off", Switches(false, false, false, false),
         "\t\t\t\t\r\n\t\t\t\t\r\n\t\t\t\t\r\n"},
    };
    core::ResultList list;
    FillThree(list);
    const TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJob job;
        job.fields = c.fields;
        ASSERT_TRUE(WriteTabExport(folder.File("tab.txt"), list, job));
        EXPECT_EQ(ReadAll(folder.File("tab.txt")), c.expected);
    }
}

TEST(TabExportTest, TabsAndLineBreaksInsideFieldsBecomeSpaces) {
    // Each would start another column or row.
    EXPECT_EQ(FormatTabLine(Item("a\tb", "l\n", "e\r\n", "p\x1b"), ExportFields{}),
              "a b\tl \te  \tp\x1b\t\r\n");
}

TEST(TextExportTest, AFolderThatCantBeWrittenFailsAndLeavesNoFile) {
    core::ResultList list;
    FillThree(list);
    const TempFolder folder;
    const fs::path missing = folder.File("no-such-folder") / "out.txt";
    EXPECT_FALSE(WriteTextExport(missing, list, ExportJob{}));
    EXPECT_FALSE(WriteTabExport(missing, list, ExportJob{}));
    ScriptedPrompter prompter;
    EXPECT_FALSE(WriteLinkList(missing, list, ExportJob{}, prompter));
    EXPECT_EQ(prompter.boxes,
              std::vector<std::string>{"Error: " + std::string(LinkList::kCannotWrite)});
    EXPECT_FALSE(fs::exists(missing));
}

TEST(TextExportTest, AFailedExportLeavesTheOldFileAsItWas) {
    core::ResultList list;
    FillThree(list);
    const TempFolder folder;
    const fs::path path = folder.File("old.txt");
    WriteAll(path, "kept");
    ExportJob job;
    job.progress.step = [] { throw std::runtime_error("stopped"); };
    EXPECT_THROW(WriteTextExport(path, list, job), std::runtime_error);
    EXPECT_EQ(ReadAll(path), "kept");
}

TEST(ExportJobTest, TheBarStepsOncePerRowAlsoForRowsLeftOut) {
    core::ResultList list;
    FillThree(list);
    std::vector<std::string> calls;
    ExportJob job;
    job.rule = ExportRule{};
    job.progress.show = [&](std::size_t rows) { calls.push_back("show " + std::to_string(rows)); };
    job.progress.step = [&] { calls.push_back("step"); };
    job.progress.hide = [&] { calls.push_back("hide"); };
    std::vector<std::size_t> taken;
    job.ForEachTaken(list, [&](std::size_t row, const ResultItem&) {
        taken.push_back(row);
        calls.push_back("take " + std::to_string(row));
    });
    EXPECT_EQ(taken, (std::vector<std::size_t>{0, 2}));
    EXPECT_EQ(calls, (std::vector<std::string>{"show 3", "take 0", "step", "step", "take 2", "step",
                                               "hide"}));
}

TEST(ExportJobTest, FieldsLabelsAndRuleComeFromTheProfile) {
    core::MemoryProfile profile;
    const ExportJob defaults = ExportJob::FromProfile(profile, false);
    EXPECT_TRUE(defaults.fields.title && defaults.fields.location && defaults.fields.target &&
                defaults.fields.preview);
    EXPECT_EQ(defaults.fields.targetLabel, "Search Target: ");
    ASSERT_TRUE(defaults.rule.has_value());
    EXPECT_FALSE(ExportJob::FromProfile(profile, true).rule.has_value());

    settings::kExportLocation.Write(profile, 0);
    settings::kExportPreviewPrefix.Write(profile, "Snippet: ");
    settings::kExportUnreachable.Write(profile, 1);
    const ExportJob changed = ExportJob::FromProfile(profile, false);
    EXPECT_FALSE(changed.fields.location);
    EXPECT_EQ(changed.fields.previewLabel, "Snippet: ");
    EXPECT_EQ(FormatTextItem(Item("t", "l", "e", "p"), changed.fields),
              "Title: t\r\nSearch Target: e\r\nSnippet: p\r\n");
    EXPECT_TRUE(changed.Takes(Item("t", "l", "e", "p", StatusCode::Unreachable)));
}

TEST(ExportRuleTest, FirstMatchWinsAndIsReadAfreshEveryCall) {
    struct Setting {
        const core::IntSetting& setting;
        int value;
    };
    const struct {
        const char* name;
        std::vector<Setting> profile;
        ResultItem item;
        bool matches;
    } cases[] = {
        {"default: normal", {}, Item("", "", "", ""), true},
        {"default: reachable", {}, Item("", "", "", "", StatusCode::Reachable), true},
        {"default: unknown", {}, Item("", "", "", "", StatusCode::Unknown), true},
        {"default: unreachable unvisited",
         {},
         Item("", "", "", "", StatusCode::Unreachable),
         false},
        {"default: unreachable but visited",
         {},
         Item("", "", "", "", StatusCode::Unreachable, VisitCode::Visited),
         true},
        {"timeout never matches by status",
         {{settings::kExportVisited, 0}},
         Item("", "", "", "", StatusCode::Timeout, VisitCode::Visited),
         false},
        {"verifing never matches by status", {}, Item("", "", "", "", StatusCode::Verifing), false},
        {"a checked timeout with Selected",
         {{settings::kExportSelected, 1}},
         Item("", "", "", "", StatusCode::Timeout, VisitCode::WithoutVisit, true),
         true},
        {"an unchecked timeout with Selected, unvisited",
         {{settings::kExportSelected, 1}},
         Item("", "", "", "", StatusCode::Timeout),
         false},
        {"an unchecked timeout, unvisited, with NoVisit",
         {{settings::kExportSelected, 1}, {settings::kExportUnvisited, 1}},
         Item("", "", "", "", StatusCode::Timeout),
         true},
        {"a checked row without Selected",
         {{settings::kExportNormal, 0}},
         Item("", "", "", "", StatusCode::Normal, VisitCode::WithoutVisit, true),
         false},
        {"Ok switched off",
         {{settings::kExportReachable, 0}},
         Item("", "", "", "", StatusCode::Reachable),
         false},
        {"Error switched on",
         {{settings::kExportUnreachable, 1}},
         Item("", "", "", "", StatusCode::Unreachable),
         true},
        {"Unknown switched off",
         {{settings::kExportUnknown, 0}},
         Item("", "", "", "", StatusCode::Unknown),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::MemoryProfile profile;
        for (const Setting& setting : c.profile) {
            setting.setting.Write(profile, setting.value);
        }
        EXPECT_EQ(MatchesExportRule(profile, c.item), c.matches);
    }
    core::MemoryProfile profile;
    const ResultItem unknown = Item("", "", "", "", StatusCode::Unknown);
    EXPECT_TRUE(MatchesExportRule(profile, unknown));
    settings::kExportUnknown.Write(profile, 0);
    EXPECT_FALSE(MatchesExportRule(profile, unknown));
}

TEST(ItemTextTest, CopyItemForm) {
    const struct {
        ResultItem item;
        std::string expected;
    } cases[] = {
        {Item("Moss", "http://m.example/", "Wiki", "Green and soft"),
         "Title: Moss\r\nLocation: http://m.example/\r\nTarget: Wiki\r\nPreview: "
         "-----------------------------------\r\nGreen and soft\r\n\r\n"},
        {Item("", "", "", ""),
         "Title: \r\nLocation: \r\nTarget: \r\nPreview: -----------------------------------\r\n"
         "\r\n\r\n"},
        {Item("100%s %d", "x", "y", "%n"),
         "Title: 100%s %d\r\nLocation: x\r\nTarget: y\r\nPreview: "
         "-----------------------------------\r\n%n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ItemAsText(c.item), c.expected);
    }
}

std::string LinkRecord(std::string_view location, std::string_view title, char visited) {
    std::string record(LinkList::kRecordSize, '\0');
    record.replace(0, location.size(), location);
    record.replace(LinkList::kTitleOffset, title.size(), title);
    record[LinkList::kVisitedOffset] = visited;
    record[LinkList::kInUseOffset] = 1;
    return record;
}

TEST(LinkListTest, RecordsStandAtTheirRowIndexAndRowsLeftOutAreZeros) {
    const std::string header("QZSA\0\0\0\0", 8);
    const std::string zeros(LinkList::kRecordSize, '\0');
    const std::string alpha = LinkRecord("http://a.example/", "Alpha", 0);
    const std::string beta = LinkRecord("http://b.example/", "Beta", 0);
    const std::string gamma = LinkRecord("/srv/g.txt", "Gamma", 1);
    struct Case {
        const char* name;
        bool all;
        bool unreachableOnly;
        std::string expected;
    };
    const Case cases[] = {
        {"all", true, false, header + alpha + beta + gamma},
        {"rule: the middle row left out", false, false, header + alpha + zeros + gamma},
        {"nothing after the last row taken", false, true, header + zeros + beta},
    };
    core::ResultList list;
    FillThree(list);
    const TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportJob job;
        if (!c.all) {
            job.rule = ExportRule{};
        }
        if (c.unreachableOnly) {
            job.rule = ExportRule{.ok = false,
                                  .error = true,
                                  .unknown = false,
                                  .normal = false,
                                  .visited = false,
                                  .noVisit = false};
        }
        ScriptedPrompter prompter;
        const fs::path path = folder.File("links.qzs");
        ASSERT_TRUE(WriteLinkList(path, list, job, prompter));
        const std::string bytes = ReadAll(path);
        EXPECT_EQ(bytes, c.expected);
        const auto entries = LinkList::Parse(bytes);
        ASSERT_TRUE(entries.has_value());
        ASSERT_EQ(entries->size(), (bytes.size() - 8) / LinkList::kRecordSize);
    }
}

TEST(LinkListTest, LongTextsAreCutAtACharacterBoundaryAndKeepTheirTerminator) {
    ResultItem item = Item(std::string(58, 't') + "\xC3\xA9", std::string(300, 'l'), "", "");
    item.visit = VisitCode::Visited;
    const LinkList::RecordBytes record = LinkList::Encode(item);
    EXPECT_EQ(record[254], '\0');
    EXPECT_EQ(record[LinkList::kTitleOffset + 58], '\0');
    const LinkList::Entry entry = LinkList::Decode(record);
    EXPECT_EQ(entry.location, std::string(254, 'l'));
    EXPECT_EQ(entry.title, std::string(58, 't'));
    EXPECT_TRUE(entry.visited);
    EXPECT_TRUE(entry.inUse);
}

TEST(LinkListTest, ReadingTakesWhatIsThereAndRefusesOtherFiles) {
    const std::string header("QZSA\0\0\0\0", 8);
    std::string unterminated(LinkList::kRecordSize, 'x');
    unterminated[LinkList::kVisitedOffset] = 7;
    unterminated[LinkList::kInUseOffset] = 0;
    const struct {
        const char* name;
        std::string bytes;
        bool readable;
        std::size_t entries;
    } cases[] = {
        {"empty file", "", false, 0},
        {"short header", "QZS", false, 0},
        {"other magic", std::string("QZR\0\0\0\0\0", 8), false, 0},
        {"other format letter", std::string("QZSB\0\0\0\0", 8), false, 0},
        {"header only", header, true, 0},
        {"a short record at the end is ignored",
         header + LinkRecord("l", "t", 0) + std::string(100, 'z'), true, 1},
        {"texts filling their fields", header + unterminated, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entries = LinkList::Parse(c.bytes);
        ASSERT_EQ(entries.has_value(), c.readable);
        if (entries) {
            EXPECT_EQ(entries->size(), c.entries);
        }
    }
    const auto filled = LinkList::Parse(header + unterminated);
    ASSERT_TRUE(filled && filled->size() == 1);
    EXPECT_EQ(filled->front().location, std::string(255, 'x'));
    EXPECT_EQ(filled->front().title, std::string(60, 'x'));
    EXPECT_TRUE(filled->front().visited);
    EXPECT_FALSE(filled->front().inUse);

    const TempFolder folder;
    EXPECT_FALSE(LinkList::Read(folder.File("missing.qzs")).has_value());
    WriteAll(folder.File("one.qzs"), header + LinkRecord("http://z/", "Zed", 1));
    const auto read = LinkList::Read(folder.File("one.qzs"));
    ASSERT_TRUE(read && read->size() == 1);
    EXPECT_EQ(read->front().location, "http://z/");
    EXPECT_EQ(read->front().title, "Zed");
}

}  // namespace
}  // namespace quexa::files
