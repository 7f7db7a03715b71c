#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "core/result_list.h"
#include "core/status_code.h"

namespace quexa::tasks {

// Every command of the main window's menus, its toolbar and the result view's context menu.
// The File menu's "Export All Seemly" and the context menu's entry of that name share an id
// but not their rule, so they are two commands here.
enum class Command {
    Open,
    Save,
    SaveAs,
    ExportAll,
    FileExportAllSeemly,
    Exit,
    NewSearch,
    VerifyResult,
    StopTask,
    PreviewInformation,
    FileManager,
    FastInfo,
    FieldManager,
    Option,
    HangUp,
    HelpTopic,
    TipOfTheDay,
    BugReport,
    OnTheWeb,
    About,
    AutoScroll,
    BrowserTarget,
    OpenDir,
    BrowserAllSelected,
    AddItem,
    EditItem,
    CopyItem,
    CopyLocation,
    CopyTitle,
    CopyPreview,
    SelectAll,
    UnselectAll,
    ReverseSelect,
    SelectReachable,
    SelectUnreachable,
    SelectNormal,
    SelectUnknown,
    SelectVisited,
    DeleteCurrent,
    DeleteSelected,
    DeleteAll,
    AddToFavorite,
    CopyCurrentTarget,
    CopyAllSelectedTarget,
    DeleteCurrentTarget,
    DeleteAllSelectedTarget,
    Import,
    ExportAllSeemly,
    ExportTabAll,
    ExportTabMatch,
    EditExportRule,
    Summarize,
    CloseCurrentFile,
};

// A command's menu id and text (a tab separates the shortcut the menu shows).
struct CommandInfo {
    Command command;
    int id;
    std::string_view text;
};

// What the window knows when it refreshes a menu or its toolbar.
struct CommandContext {
    // The row the context menu acts on, when there is one.
    struct CurrentRow {
        core::StatusCode status = core::StatusCode::Normal;
        // Its location is a network path or a local path.
        bool isPath = false;
        bool targetExists = false;
    };

    bool taskRunning = false;
    bool verifyRunning = false;
    // A long loop of the user-interface thread runs (load, save, Intranet search, stop wait,
    // sort): what would change the list or the current file under it is refused.
    bool busy = false;
    bool modified = false;
    bool listInUse = false;
    std::size_t itemCount = 0;
    std::size_t selectedCount = 0;
    // At least one selected row's target exists on disk.
    bool selectedTargetExists = false;
    std::optional<CurrentRow> current;

    // What the toggles show.
    bool previewVisible = false;
    bool leftBarVisible = false;
    bool fastInfoVisible = false;
    bool fieldManagerVisible = false;
    bool hangUp = false;
    bool autoScroll = false;
};

struct CommandState {
    bool enabled = false;
    // Only toggles have a check.
    std::optional<bool> checked;

    bool operator==(const CommandState&) const = default;
};

CommandState StateOf(Command command, const CommandContext& context);

// Fills the list's part of the context: counts, the current row (none when out of range) with
// its kind and whether its target is on disk, and whether a selected row's target is. Only
// paths and other non-web locations are looked up, and the selection only until one is found.
void DescribeList(CommandContext& context, const core::ResultList& list,
                  std::optional<std::size_t> currentRow);

// Every command with its id and text, in menu order.
std::span<const CommandInfo> AllCommands();
const CommandInfo& InfoOf(Command command);

// What closing the main window does next.
enum class CloseStep {
    // "Warnning:": a task runs (or a long loop does); the window stays open.
    Refuse,
    // "Do you want save ?" first.
    AskSave,
    Close,
};
CloseStep DecideClose(const CommandContext& context);

}  // namespace quexa::tasks
