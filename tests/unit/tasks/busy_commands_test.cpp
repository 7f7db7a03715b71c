#include "tasks/busy_commands.h"

#include <gtest/gtest.h>

namespace quexa::tasks {
namespace {

TEST(BusyCommandsTest, ALongLoopRefusesWhatWouldChangeTheListUnderIt) {
    CommandContext context;
    context.itemCount = 3;
    context.selectedCount = 1;
    context.listInUse = true;
    context.modified = true;
    context.current = CommandContext::CurrentRow{};
    const struct {
        Command command;
        core::BusyWork work;
        bool enabled;
    } cases[] = {
        {Command::DeleteCurrent, core::BusyWork::None, true},
        // The Intranet search lets the list be edited and browsed, as any task does.
        {Command::DeleteCurrent, core::BusyWork::IntranetSearch, true},
        {Command::SelectAll, core::BusyWork::IntranetSearch, true},
        {Command::BrowserTarget, core::BusyWork::IntranetSearch, true},
        {Command::EditItem, core::BusyWork::IntranetSearch, true},
        {Command::DeleteCurrent, core::BusyWork::Sorting, false},
        {Command::SelectAll, core::BusyWork::Loading, false},
        // Files wait for every loop, the Intranet search's included.
        {Command::Save, core::BusyWork::IntranetSearch, false},
        {Command::ExportTabAll, core::BusyWork::IntranetSearch, false},
        {Command::Import, core::BusyWork::IntranetSearch, false},
        {Command::Summarize, core::BusyWork::Saving, false},
        {Command::CloseCurrentFile, core::BusyWork::None, true},
        // Reading commands are never refused.
        {Command::CopyItem, core::BusyWork::Sorting, true},
        {Command::EditExportRule, core::BusyWork::Loading, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(InfoOf(c.command).text);
        core::BusyState busy;
        const core::BusyState::Scope scope(busy, c.work);
        EXPECT_EQ(StateWhileBusy(c.command, context, busy).enabled, c.enabled);
    }
}

}  // namespace
}  // namespace quexa::tasks
