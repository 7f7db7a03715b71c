#include "tasks/command_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

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

// The contexts above, one letter each; a command's rule is one letter per context, in this
// order: 'x' enabled, '.' disabled.
//   I idle        E empty       C no current row   S no selection   A all selected
//   R searching   V verifying   W verifying the current row, marked Verifing
//   X the current row marked Verifing, nothing running
//   U web row     T no targets  M modified         N not in use     B in a long loop
// clang-format off
const Context kContexts[] = {Idle(),     kEmpty,     kNoCurrent,        kNoSelection, kAllSelected,
                             kSearching, kVerifying, kVerifyingCurrent, kCurrentVerifingIdle,
                             kWebRow,    kNoTargets, kModified,         kNotInUse,    kBusy};
// clang-format on

TEST(CommandRulesTest, EachCommandFollowsItsRuleInEveryContext) {
    const struct {
        Command command;
        std::string_view rule;
    } rules[] = {
        // clang-format off
        //                                IECSARVWXUTMNB
        {C::Open,                        "xxxxxxxxxxxxx."},
        {C::Save,                        "...........x.."},
        {C::SaveAs,                      "x.xxx...xxxxx."},
        {C::ExportAll,                   "x.xxxxxxxxxxx."},
        {C::FileExportAllSeemly,         "x.x.xxxxxxxxx."},
        {C::Exit,                        "xxxxxxxxxxxxxx"},
        {C::NewSearch,                   "xxxxx...xxxxx."},
        {C::VerifyResult,                "x.xxx...xxxxx."},
        {C::StopTask,                    "xxxxxxxxxxxxxx"},
        {C::PreviewInformation,          "xxxxxxxxxxxxxx"},
        {C::FileManager,                 "xxxxxxxxxxxxxx"},
        {C::FastInfo,                    "xxxxxxxxxxxxxx"},
        {C::FieldManager,                "xxxxxxxxxxxxxx"},
        {C::Option,                      "xxxxxxxxxxxxxx"},
        {C::HangUp,                      "xxxxxxxxxxxxxx"},
        {C::HelpTopic,                   "xxxxxxxxxxxxxx"},
        {C::TipOfTheDay,                 "xxxxxxxxxxxxxx"},
        {C::BugReport,                   "xxxxxxxxxxxxxx"},
        {C::OnTheWeb,                    "xxxxxxxxxxxxxx"},
        {C::About,                       "xxxxxxxxxxxxxx"},
        {C::AutoScroll,                  "xxxxxxxxxxxxxx"},
        {C::BrowserTarget,               "x..xxxxxxxxxx."},
        {C::OpenDir,                     "x..xxxxxx.xxx."},
        {C::BrowserAllSelected,          "x.x.xxxxxxxxx."},
        {C::AddItem,                     "xxxxxxxxxxxxx."},
        {C::EditItem,                    "x..xxxx.xxxxx."},
        {C::CopyItem,                    "x..xxxxxxxxxxx"},
        {C::CopyLocation,                "x..xxxxxxxxxxx"},
        {C::CopyTitle,                   "x..xxxxxxxxxxx"},
        {C::CopyPreview,                 "x..xxxxxxxxxxx"},
        {C::SelectAll,                   "x.xx.xxxxxxxx."},
        {C::UnselectAll,                 "x.x.xxxxxxxxx."},
        {C::ReverseSelect,               "x.x.xxxxxxxxx."},
        {C::SelectReachable,             "x.xxxxxxxxxxx."},
        {C::SelectUnreachable,           "x.xxxxxxxxxxx."},
        {C::SelectNormal,                "x.xxxxxxxxxxx."},
        {C::SelectUnknown,               "x.xxxxxxxxxxx."},
        {C::SelectVisited,               "x.xxxxxxxxxxx."},
        {C::DeleteCurrent,               "x..xxxx.xxxxx."},
        {C::DeleteSelected,              "x.x.xx..xxxxx."},
        {C::DeleteAll,                   "x.xxxx..xxxxx."},
        {C::AddToFavorite,               "x..xxxxxxxxxx."},
        {C::CopyCurrentTarget,           "x..xxxxxx..xx."},
        {C::CopyAllSelectedTarget,       "x.x.xxxxxx.xx."},
        {C::DeleteCurrentTarget,         "x..xxxxxx..xx."},
        {C::DeleteAllSelectedTarget,     "x.x.xxxxxx.xx."},
        {C::Import,                      "xxxxxxxxxxxxx."},
        {C::ExportAllSeemly,             "x.xxxxxxxxxxx."},
        {C::ExportTabAll,                "x.xxxxxxxxxxx."},
        {C::ExportTabMatch,              "x.xxxxxxxxxxx."},
        {C::EditExportRule,              "xxxxxxxxxxxxxx"},
        {C::Summarize,                   "x.xxxxxxxxxxx."},
        {C::CloseCurrentFile,            "xxxxx...xxxx.."},
        // clang-format on
    };
    ASSERT_EQ(std::size(rules), AllCommands().size());
    for (const auto& r : rules) {
        ASSERT_EQ(r.rule.size(), std::size(kContexts));
        for (std::size_t i = 0; i < r.rule.size(); ++i) {
            EXPECT_EQ(StateOf(r.command, kContexts[i]).enabled, r.rule[i] == 'x')
                << InfoOf(r.command).text << " in context "
                << "IECSARVWXUTMNB"[i];
        }
    }
}

// Closing is refused while work runs and asks first when the list is modified.
TEST(CommandRulesTest, ClosingFollowsTheWork) {
    // 'c' closes, 'a' asks to save first, 'r' refuses.
    //                              IECSARVWXUTMNB
    const std::string_view steps = "cccccrrrcccacr";
    ASSERT_EQ(steps.size(), std::size(kContexts));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const CloseStep expected = steps[i] == 'r'   ? CloseStep::Refuse
                                   : steps[i] == 'a' ? CloseStep::AskSave
                                                     : CloseStep::Close;
        EXPECT_EQ(DecideClose(kContexts[i]), expected) << "IECSARVWXUTMNB"[i];
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
