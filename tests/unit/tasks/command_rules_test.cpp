#include "tasks/command_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "temp_folder.h"

namespace quexa::tasks {
namespace {

using C = Command;
using Context = CommandContext;
using core::StatusCode;

// A list of ten rows, two of them selected, nothing running, a current row that is a file.
Context Idle() {
    Context c;
    c.itemCount = 10;
    c.selectedCount = 2;
    c.listInUse = true;
    c.current = Context::CurrentRow{StatusCode::Normal, true, true};
    c.selectedTargetExists = true;
    return c;
}

Context With(const std::function<void(Context&)>& change) {
    Context c = Idle();
    change(c);
    return c;
}

const Context kEmpty = With([](Context& c) {
    c.itemCount = 0;
    c.selectedCount = 0;
    c.current.reset();
    c.selectedTargetExists = false;
});
const Context kNoCurrent = With([](Context& c) { c.current.reset(); });
const Context kNoSelection = With([](Context& c) {
    c.selectedCount = 0;
    c.selectedTargetExists = false;
});
const Context kAllSelected = With([](Context& c) { c.selectedCount = 10; });
const Context kSearching = With([](Context& c) { c.taskRunning = true; });
const Context kVerifying = With([](Context& c) {
    c.taskRunning = true;
    c.verifyRunning = true;
});
const Context kVerifyingCurrent = With([](Context& c) {
    c.taskRunning = true;
    c.verifyRunning = true;
    c.current->status = StatusCode::Verifing;
});
const Context kCurrentVerifingIdle =
    With([](Context& c) { c.current->status = StatusCode::Verifing; });
const Context kWebRow = With([](Context& c) {
    c.current->isPath = false;
    c.current->targetExists = false;
});
const Context kNoTargets = With([](Context& c) {
    c.current->targetExists = false;
    c.selectedTargetExists = false;
});
const Context kModified = With([](Context& c) { c.modified = true; });
const Context kNotInUse = With([](Context& c) { c.listInUse = false; });
const Context kBusy = With([](Context& c) {
    c.busy = true;
    c.modified = true;
});

struct Case {
    const char* name;
    Command command;
    Context context;
    bool enabled;
};

TEST(CommandRulesTest, EachCommandFollowsItsRule) {
    const Case cases[] = {
        {"open with nothing", C::Open, kEmpty, true},
        {"open while searching", C::Open, kSearching, true},
        {"save unmodified", C::Save, Idle(), false},
        {"save modified", C::Save, kModified, true},
        {"save as with items", C::SaveAs, Idle(), true},
        {"save as empty", C::SaveAs, kEmpty, false},
        {"save as searching", C::SaveAs, kSearching, false},
        {"export all", C::ExportAll, Idle(), true},
        {"export all empty", C::ExportAll, kEmpty, false},
        {"file seemly needs a selection", C::FileExportAllSeemly, kNoSelection, false},
        {"file seemly with a selection", C::FileExportAllSeemly, Idle(), true},
        {"context seemly needs items only", C::ExportAllSeemly, kNoSelection, true},
        {"context seemly empty", C::ExportAllSeemly, kEmpty, false},
        {"exit while searching", C::Exit, kSearching, true},
        {"new search idle", C::NewSearch, kEmpty, true},
        {"new search searching", C::NewSearch, kSearching, false},
        {"new search verifying", C::NewSearch, kVerifying, false},
        {"verify with items", C::VerifyResult, Idle(), true},
        {"verify empty", C::VerifyResult, kEmpty, false},
        {"verify searching", C::VerifyResult, kSearching, false},
        {"stop idle", C::StopTask, kEmpty, true},
        {"stop busy", C::StopTask, kBusy, true},
        {"option", C::Option, kBusy, true},
        {"help", C::HelpTopic, kEmpty, true},
        {"tip", C::TipOfTheDay, kEmpty, true},
        {"bug report", C::BugReport, kEmpty, true},
        {"web site", C::OnTheWeb, kEmpty, true},
        {"about", C::About, kEmpty, true},
        {"browser target", C::BrowserTarget, Idle(), true},
        {"browser target without row", C::BrowserTarget, kNoCurrent, false},
        {"open dir on a path", C::OpenDir, Idle(), true},
        {"open dir on a web row", C::OpenDir, kWebRow, false},
        {"open dir without row", C::OpenDir, kNoCurrent, false},
        {"browse selected", C::BrowserAllSelected, Idle(), true},
        {"browse selected without selection", C::BrowserAllSelected, kNoSelection, false},
        {"add item on empty list", C::AddItem, kEmpty, true},
        {"edit item", C::EditItem, Idle(), true},
        {"edit item without row", C::EditItem, kNoCurrent, false},
        {"edit item being verified", C::EditItem, kVerifyingCurrent, false},
        {"edit item verifying another row", C::EditItem, kVerifying, true},
        {"edit item marked Verifing, nothing running", C::EditItem, kCurrentVerifingIdle, true},
        {"copy item", C::CopyItem, Idle(), true},
        {"copy item without row", C::CopyItem, kNoCurrent, false},
        {"copy location without row", C::CopyLocation, kNoCurrent, false},
        {"copy title", C::CopyTitle, Idle(), true},
        {"copy preview busy", C::CopyPreview, kBusy, true},
        {"select all", C::SelectAll, Idle(), true},
        {"select all when all are", C::SelectAll, kAllSelected, false},
        {"select all empty", C::SelectAll, kEmpty, false},
        {"unselect all", C::UnselectAll, Idle(), true},
        {"unselect all without selection", C::UnselectAll, kNoSelection, false},
        {"reverse", C::ReverseSelect, kAllSelected, true},
        {"reverse without selection", C::ReverseSelect, kNoSelection, false},
        {"select reachable", C::SelectReachable, kNoSelection, true},
        {"select unreachable empty", C::SelectUnreachable, kEmpty, false},
        {"select normal", C::SelectNormal, Idle(), true},
        {"select unknown", C::SelectUnknown, Idle(), true},
        {"select visited empty", C::SelectVisited, kEmpty, false},
        {"delete current", C::DeleteCurrent, Idle(), true},
        {"delete current being verified", C::DeleteCurrent, kVerifyingCurrent, false},
        {"delete current verifying another", C::DeleteCurrent, kVerifying, true},
        {"delete selected", C::DeleteSelected, Idle(), true},
        {"delete selected verifying", C::DeleteSelected, kVerifying, false},
        {"delete selected searching", C::DeleteSelected, kSearching, true},
        {"delete all", C::DeleteAll, Idle(), true},
        {"delete all verifying", C::DeleteAll, kVerifying, false},
        {"delete all empty", C::DeleteAll, kEmpty, false},
        {"favourite", C::AddToFavorite, Idle(), true},
        {"favourite without row", C::AddToFavorite, kNoCurrent, false},
        {"copy target", C::CopyCurrentTarget, Idle(), true},
        {"copy target missing", C::CopyCurrentTarget, kNoTargets, false},
        {"copy selected targets", C::CopyAllSelectedTarget, Idle(), true},
        {"copy selected targets missing", C::CopyAllSelectedTarget, kNoTargets, false},
        {"delete target", C::DeleteCurrentTarget, Idle(), true},
        {"delete target without row", C::DeleteCurrentTarget, kNoCurrent, false},
        {"delete selected targets", C::DeleteAllSelectedTarget, Idle(), true},
        {"delete selected targets none selected", C::DeleteAllSelectedTarget, kNoSelection, false},
        {"import", C::Import, kEmpty, true},
        {"tab all", C::ExportTabAll, Idle(), true},
        {"tab match empty", C::ExportTabMatch, kEmpty, false},
        {"export rule", C::EditExportRule, kEmpty, true},
        {"summarize", C::Summarize, Idle(), true},
        {"summarize empty", C::Summarize, kEmpty, false},
        {"close file", C::CloseCurrentFile, Idle(), true},
        {"close file not in use", C::CloseCurrentFile, kNotInUse, false},
        {"close file searching", C::CloseCurrentFile, kSearching, false},
        {"close file verifying", C::CloseCurrentFile, kVerifying, false},
        // A long loop refuses what would change the list or the file under it.
        {"open busy", C::Open, kBusy, false},
        {"save busy", C::Save, kBusy, false},
        {"new search busy", C::NewSearch, kBusy, false},
        {"close file busy", C::CloseCurrentFile, kBusy, false},
        {"delete all busy", C::DeleteAll, kBusy, false},
        {"add item busy", C::AddItem, kBusy, false},
        {"import busy", C::Import, kBusy, false},
        {"summarize busy", C::Summarize, kBusy, false},
    };
    for (const Case& c : cases) {
        const CommandState state = StateOf(c.command, c.context);
        EXPECT_EQ(state.enabled, c.enabled) << c.name;
    }
}

TEST(CommandRulesTest, TogglesShowTheirStateAndStayEnabled) {
    const struct {
        Command command;
        bool Context::*flag;
    } cases[] = {
        {C::PreviewInformation, &Context::previewVisible},
        {C::FileManager, &Context::leftBarVisible},
        {C::FastInfo, &Context::fastInfoVisible},
        {C::FieldManager, &Context::fieldManagerVisible},
        {C::HangUp, &Context::hangUp},
        {C::AutoScroll, &Context::autoScroll},
    };
    for (const auto& c : cases) {
        for (const bool on : {false, true}) {
            Context context = kBusy;
            context.*c.flag = on;
            EXPECT_EQ(StateOf(c.command, context), (CommandState{true, on}))
                << InfoOf(c.command).text;
        }
    }
    EXPECT_FALSE(StateOf(C::Save, kModified).checked.has_value());
}

TEST(CommandRulesTest, EveryCommandHasOneEntryWithItsText) {
    std::set<Command> seen;
    for (const CommandInfo& info : AllCommands()) {
        EXPECT_TRUE(seen.insert(info.command).second) << info.text;
        EXPECT_FALSE(info.text.empty());
        EXPECT_EQ(InfoOf(info.command).id, info.id);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(C::CloseCurrentFile) + 1);
    EXPECT_EQ(InfoOf(C::SelectAll).text, "Select All\tCtrl+Shift+A");
    EXPECT_EQ(InfoOf(C::Summarize).id, 32936);
    // The two "Export All Seemly" entries send one id.
    EXPECT_EQ(InfoOf(C::ExportAllSeemly).id, InfoOf(C::FileExportAllSeemly).id);
}

TEST(CommandRulesTest, ClosingIsRefusedWhileWorkRunsAndAsksWhenModified) {
    const struct {
        const char* name;
        Context context;
        CloseStep step;
    } cases[] = {
        {"idle, saved", Idle(), CloseStep::Close},
        {"idle, modified", kModified, CloseStep::AskSave},
        {"searching", kSearching, CloseStep::Refuse},
        {"verifying", kVerifying, CloseStep::Refuse},
        {"in a long loop", kBusy, CloseStep::Refuse},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecideClose(c.context), c.step) << c.name;
    }
}

}  // namespace
}  // namespace quexa::tasks

namespace quexa::tasks {
namespace {

TEST(CommandRulesTest, TheListDescribesItsRows) {
    const quexa::testing::TempFolder folder;
    const std::string file = folder.File("plan.txt").string();
    quexa::testing::WriteAll(file, "plan");
    core::ResultList list;
    const struct {
        std::string location;
        StatusCode status;
        bool selected;
    } rows[] = {
        {"https://example.org/", StatusCode::Reachable, true},
        {file, StatusCode::Verifing, false},
        {folder.File("gone.txt").string(), StatusCode::Normal, true},
    };
    for (const auto& r : rows) {
        core::ResultItem item;
        item.location = r.location;
        item.status = r.status;
        item.selected = r.selected;
        list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), item);
    }
    Context context;
    DescribeList(context, list, 1);
    EXPECT_EQ(context.itemCount, 3U);
    EXPECT_EQ(context.selectedCount, 2U);
    ASSERT_TRUE(context.current.has_value());
    EXPECT_EQ(context.current->status, StatusCode::Verifing);
    EXPECT_TRUE(context.current->isPath);
    EXPECT_TRUE(context.current->targetExists);
    EXPECT_FALSE(context.selectedTargetExists);

    DescribeList(context, list, 0);
    EXPECT_FALSE(context.current->isPath);
    EXPECT_FALSE(context.current->targetExists);
    DescribeList(context, list, 7);
    EXPECT_FALSE(context.current.has_value());

    list.SetSelected(1, true);
    DescribeList(context, list, std::nullopt);
    EXPECT_TRUE(context.selectedTargetExists);
    EXPECT_TRUE(StateOf(C::DeleteAllSelectedTarget, context).enabled);
    EXPECT_FALSE(StateOf(C::DeleteCurrentTarget, context).enabled);
}

}  // namespace
}  // namespace quexa::tasks
