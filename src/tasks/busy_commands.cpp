#include "tasks/busy_commands.h"

namespace quexa::tasks {

core::Command BusyCommandOf(Command command) {
    using B = core::Command;
    using C = Command;
    switch (command) {
        case C::Open:
            return B::Open;
        case C::Save:
            return B::Save;
        case C::SaveAs:
            return B::SaveAs;
        case C::ExportAll:
        case C::FileExportAllSeemly:
        case C::ExportAllSeemly:
        case C::ExportTabAll:
        case C::ExportTabMatch:
            return B::Export;
        case C::Exit:
            return B::Exit;
        case C::NewSearch:
            return B::NewSearch;
        case C::VerifyResult:
            return B::VerifyResult;
        case C::StopTask:
            return B::StopTask;
        case C::BrowserTarget:
        case C::OpenDir:
        case C::BrowserAllSelected:
            return B::BrowseTarget;
        case C::AddItem:
        case C::AddToFavorite:
            return B::AddItem;
        case C::EditItem:
            return B::EditItem;
        case C::SelectAll:
        case C::UnselectAll:
        case C::ReverseSelect:
        case C::SelectReachable:
        case C::SelectUnreachable:
        case C::SelectNormal:
        case C::SelectUnknown:
        case C::SelectVisited:
            return B::Select;
        case C::DeleteCurrent:
            return B::DeleteCurrent;
        case C::DeleteSelected:
            return B::DeleteSelected;
        case C::DeleteAll:
            return B::DeleteAll;
        case C::CopyCurrentTarget:
        case C::CopyAllSelectedTarget:
            return B::CopyTarget;
        case C::DeleteCurrentTarget:
        case C::DeleteAllSelectedTarget:
            return B::DeleteTarget;
        case C::Import:
            return B::Import;
        case C::Summarize:
            return B::Summarize;
        case C::CloseCurrentFile:
            return B::CloseCurrentFile;
        case C::CopyItem:
        case C::CopyLocation:
        case C::CopyTitle:
        case C::CopyPreview:
            return B::CopyItem;
        default:
            // The bars, the toggles, the Options, help: they read, or change only the window.
            return B::Options;
    }
}

CommandState StateWhileBusy(Command command, CommandContext context, const core::BusyState& busy) {
    context.busy = busy.Refuses(BusyCommandOf(command));
    return StateOf(command, context);
}

}  // namespace quexa::tasks
