#include "tasks/command_rules.h"

#include <array>

#include "tasks/location_kind.h"
#include "tasks/target_commands.h"

namespace quexa::tasks {
namespace {

using C = Command;

constexpr std::array<CommandInfo, 53> kCommands{{
    {C::Open, 32950, "Open"},
    {C::Save, 32801, "Save"},
    {C::SaveAs, 32995, "Save as ..."},
    {C::ExportAll, 32929, "Export All"},
    {C::FileExportAllSeemly, 32931, "Export All Seemly"},
    {C::Exit, 57665, "Exit"},
    {C::NewSearch, 32795, "New Search"},
    {C::VerifyResult, 32799, "Verify Result"},
    {C::StopTask, 32802, "Stop Task"},
    {C::PreviewInformation, 33061, "Preview Information"},
    {C::FileManager, 32881, "File Manager"},
    {C::FastInfo, 32880, "Fast Info."},
    {C::FieldManager, 123, "Field Manager"},
    {C::Option, 32980, "Option"},
    {C::HangUp, 33051, "Hang Up"},
    {C::HelpTopic, 32994, "Help Topic\tF1"},
    {C::TipOfTheDay, 212, "Tip of the Day"},
    {C::BugReport, 32993, "Bug Report"},
    {C::OnTheWeb, 32992, "Morvane on the Web"},
    {C::About, 57664, "About Quexa"},
    {C::AutoScroll, 32976, "Auto Scroll When Add New Item"},
    {C::BrowserTarget, 32898, "Browser Target"},
    {C::OpenDir, 32935, "Open Dir"},
    {C::BrowserAllSelected, 32933, "Browser All Selected"},
    {C::AddItem, 32905, "Add Item"},
    {C::EditItem, 32899, "Edit Item"},
    {C::CopyItem, 32901, "Copy Item"},
    {C::CopyLocation, 32902, "Copy Location"},
    {C::CopyTitle, 32903, "Copy Title"},
    {C::CopyPreview, 32904, "Copy Preview"},
    {C::SelectAll, 32922, "Select All\tCtrl+Shift+A"},
    {C::UnselectAll, 32923, "Unselect All\tCtrl+Z"},
    {C::ReverseSelect, 32924, "Reverse Select"},
    {C::SelectReachable, 33035, "Select Reachable"},
    {C::SelectUnreachable, 33036, "Select Unreachable"},
    {C::SelectNormal, 33037, "Select Normal"},
    {C::SelectUnknown, 33039, "Select Unknown"},
    {C::SelectVisited, 33038, "Select Visited"},
    {C::DeleteCurrent, 32900, "Delete Current"},
    {C::DeleteSelected, 32921, "Delete Selected"},
    {C::DeleteAll, 32920, "Delete All"},
    {C::AddToFavorite, 32964, "Add to Favorite"},
    {C::CopyCurrentTarget, 32972, "Copy Current Target"},
    {C::CopyAllSelectedTarget, 32979, "Copy All Selected Target"},
    {C::DeleteCurrentTarget, 32974, "Delete Current Target"},
    {C::DeleteAllSelectedTarget, 32981, "Delete All Selected Target"},
    {C::Import, 32909, "Import"},
    {C::ExportAllSeemly, 32931, "Export All Seemly"},
    {C::ExportTabAll, 33047, "Export to TAB split Text File (All)"},
    {C::ExportTabMatch, 33048, "Export to TAB split Text File (Match Export Rule)"},
    {C::EditExportRule, 32965, "Edit Export Rule"},
    {C::Summarize, 32936, "Summarize\tCtrl+Y"},
    {C::CloseCurrentFile, 32941, "Close Current File"},
}};

// A web address never names a file on disk: no need to ask the file system.
bool OnDisk(std::string_view location) {
    return KindOf(location) != LocationKind::InternetAddress &&
           TargetCommands::TargetExists(location);
}

CommandState Enabled(bool enabled) {
    return {enabled, std::nullopt};
}

CommandState Toggle(bool checked) {
    return {true, checked};
}

// The row is being checked by a running verification: editing or deleting it would race the
// answer that is on its way.
bool CurrentRowChecked(const CommandContext& c) {
    return c.current && !(c.verifyRunning && c.current->status == core::StatusCode::Verifing);
}

// Commands that never touch the list or the current file; a long loop does not refuse them.
std::optional<CommandState> StateOfViewCommand(Command command, const CommandContext& c) {
    switch (command) {
        case C::Exit:
        case C::StopTask:
        case C::Option:
        case C::HelpTopic:
        case C::TipOfTheDay:
        case C::BugReport:
        case C::OnTheWeb:
        case C::About:
        case C::EditExportRule:
            return Enabled(true);
        case C::PreviewInformation:
            return Toggle(c.previewVisible);
        case C::FileManager:
            return Toggle(c.leftBarVisible);
        case C::FastInfo:
            return Toggle(c.fastInfoVisible);
        case C::FieldManager:
            return Toggle(c.fieldManagerVisible);
        case C::HangUp:
            return Toggle(c.hangUp);
        case C::AutoScroll:
            return Toggle(c.autoScroll);
        case C::CopyItem:
        case C::CopyLocation:
        case C::CopyTitle:
        case C::CopyPreview:
            return Enabled(c.current.has_value());
        default:
            return std::nullopt;
    }
}

bool ListCommandEnabled(Command command, const CommandContext& c) {
    const bool items = c.itemCount > 0;
    const bool selection = items && c.selectedCount > 0;
    const bool idle = !c.taskRunning && !c.verifyRunning;
    switch (command) {
        case C::Open:
        case C::AddItem:
        case C::Import:
            return true;
        case C::Save:
            return c.modified;
        case C::SaveAs:
            return !c.taskRunning && items;
        case C::FileExportAllSeemly:
            return c.selectedCount > 0;
        case C::NewSearch:
            return idle;
        case C::VerifyResult:
            return idle && items;
        case C::BrowserTarget:
        case C::AddToFavorite:
            return c.current.has_value();
        case C::OpenDir:
            return c.current && c.current->isPath;
        case C::BrowserAllSelected:
            return selection;
        case C::EditItem:
        case C::DeleteCurrent:
            return CurrentRowChecked(c);
        case C::SelectAll:
            return items && c.selectedCount < c.itemCount;
        case C::UnselectAll:
        case C::ReverseSelect:
            return selection;
        case C::DeleteSelected:
            return selection && !c.verifyRunning;
        case C::DeleteAll:
            return items && !c.verifyRunning;
        case C::CopyCurrentTarget:
        case C::DeleteCurrentTarget:
            return c.current && c.current->targetExists;
        case C::CopyAllSelectedTarget:
        case C::DeleteAllSelectedTarget:
            return c.selectedCount > 0 && c.selectedTargetExists;
        case C::CloseCurrentFile:
            return c.listInUse && idle;
        case C::ExportAll:
        case C::SelectReachable:
        case C::SelectUnreachable:
        case C::SelectNormal:
        case C::SelectUnknown:
        case C::SelectVisited:
        case C::ExportAllSeemly:
        case C::ExportTabAll:
        case C::ExportTabMatch:
        case C::Summarize:
            return items;
        default:
            return false;
    }
}

}  // namespace

CommandState StateOf(Command command, const CommandContext& context) {
    if (const std::optional<CommandState> state = StateOfViewCommand(command, context)) {
        return *state;
    }
    return Enabled(!context.busy && ListCommandEnabled(command, context));
}

void DescribeList(CommandContext& context, const core::ResultList& list,
                  std::optional<std::size_t> currentRow) {
    context.itemCount = list.Count();
    context.selectedCount = list.SelectedCount();
    context.current.reset();
    if (currentRow && *currentRow < list.Count()) {
        const core::ResultItem& item = list.Item(*currentRow);
        context.current = CommandContext::CurrentRow{item.status, IsPathKind(KindOf(item.location)),
                                                     OnDisk(item.location)};
    }
    context.selectedTargetExists = false;
    for (std::size_t row = 0; row < list.Count() && list.HasSelection(); ++row) {
        if (list.Item(row).selected && OnDisk(list.Item(row).location)) {
            context.selectedTargetExists = true;
            break;
        }
    }
}

std::span<const CommandInfo> AllCommands() {
    return kCommands;
}

const CommandInfo& InfoOf(Command command) {
    for (const CommandInfo& info : kCommands) {
        if (info.command == command) {
            return info;
        }
    }
    return kCommands.front();
}

CloseStep DecideClose(const CommandContext& context) {
    if (context.taskRunning || context.verifyRunning || context.busy) {
        return CloseStep::Refuse;
    }
    return context.modified ? CloseStep::AskSave : CloseStep::Close;
}

}  // namespace quexa::tasks
