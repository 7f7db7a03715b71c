#pragma once

#include <QWidget>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/profile.h"
#include "core/prompter.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "core/wait_state.h"
#include "files/list_export.h"
#include "tasks/clipboard.h"
#include "tasks/command_rules.h"
#include "tasks/location_commands.h"
#include "tasks/location_opener.h"
#include "tasks/result_document.h"
#include "tasks/target_commands.h"
#include "tasks/task_control.h"
#include "tasks/trash.h"

namespace quexa::ui {

class ResultContextMenu;
class ResultListModel;
class ResultListView;

// What the result view works with; every reference outlives the view.
struct ResultViewContext {
    core::ResultList& list;
    core::Profile& profile;
    const core::SettingsCache& cache;
    core::Prompter& prompter;
    // state(), busy(), SortList(), verification running.
    tasks::TaskControl& control;
    // Save, Save as, Open, Close Current File.
    tasks::ResultDocument& document;
    // The wait window's state; the frame owns the WaitWindow.
    core::WaitState& wait;
    tasks::LocationOpener& opener;
    tasks::Trash& trash;
    tasks::Clipboard& clipboard;
    // Writable data folder (Data/MyFav ...).
    std::string dataDirectory;
};

// The main window's client: the result list control and the commands that act on its rows,
// with their context menu, dialogs and keys.
class ResultView : public QWidget {
    Q_OBJECT

  public:
    explicit ResultView(ResultViewContext context, QWidget* parent = nullptr);
    ~ResultView() override;

    static constexpr std::string_view kSummarizeText = "Please stand by ... ...";

    ResultListView& ListView();
    ResultContextMenu& Menu();
    // The row the commands act on (right click, double click, Menu key), if any.
    std::optional<std::size_t> CurrentRow() const;
    void SetCurrentRow(std::optional<std::size_t> row);
    // Fills the list's and the view's part of the menus' context: DescribeList with the
    // current row, listInUse, modified, previewVisible. The frame fills the task part.
    void Describe(tasks::CommandContext& context) const;
    // Runs a command of the context menu or of the File menu that acts on the list. Checks the
    // command's enabling rule first (a disabled command does nothing). False when the command
    // is not the view's.
    bool Run(tasks::Command command);
    // "Preview Information": flips, stores System / Preview, sets the rows' band height.
    void TogglePreview();
    bool PreviewVisible() const { return previewVisible_; }
    // Re-reads System\ResultList and applies it (first show; after the Options change it).
    void ApplyAppearance();
    // Opens a result file named on the command line (only names ending in "qzr").
    void OpenFromCommandLine(std::string_view argument);
    // Stores the column layout (the frame calls it when it closes).
    void StoreLayout();
    // Opens the file the file manager chose, which waits in the document.
    void OpenChosenFile();

  Q_SIGNALS:
    // Rows were added or deleted by a command, after Summarize and after Close Current File:
    // the frame refreshes its status texts and the fast information bar.
    void ListChanged();
    // The list's command states may have changed (selection, current row, modified).
    void CommandStatesChanged();
    // "Preview Information" flipped the band: the frame keeps its settings cache in step.
    void PreviewToggled(bool visible);
    // "Edit Export Rule": the frame opens the Options sheet on its Export Rule page.
    void EditExportRuleRequested();

  private:
    static std::optional<std::size_t> RowFrom(int row);
    void ConnectList();
    void AddShortcuts();
    // The command's state now: its rule over the list, the task and the busy state.
    tasks::CommandState StateNow(tasks::Command command) const;

    // Each runs its group's commands: false for a command of another group.
    bool RunLocation(tasks::Command command);
    bool RunListEdit(tasks::Command command);
    bool RunCopy(tasks::Command command);
    bool RunTarget(tasks::Command command);
    bool RunFile(tasks::Command command);
    bool RunExport(tasks::Command command);
    bool RunOther(tasks::Command command);

    void BrowseAllSelected(tasks::LocationCommands& commands);
    void ShowFailure(const std::optional<tasks::ExecuteFailure>& failure);
    void AddItem();
    void EditItem();
    void DeleteAllSelectedTargets(tasks::TargetCommands& targets,
                                  tasks::TargetCommands::Options options);
    // "Please select save directory!"; nothing on Cancel.
    std::optional<std::string> ChooseFolder();
    files::ExportSource ExportSource();
    void Summarize();
    // After a file command: the rows are others now.
    void Changed(bool changed);

    ResultViewContext context_;
    ResultListModel* model_;
    ResultListView* listView_;
    ResultContextMenu* menu_;
    std::optional<core::ResultList::RowId> currentRow_;
    bool previewVisible_;
    // A long command runs and lets events through: the view's commands wait.
    bool running_ = false;
};

}  // namespace quexa::ui
