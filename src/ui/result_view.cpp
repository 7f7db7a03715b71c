#include "ui/result_view.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QUrl>
#include <QVBoxLayout>

#include <filesystem>
#include <memory>
#include <utility>

#include "core/edit_item_form.h"
#include "core/settings_table.h"
#include "files/list_export.h"
#include "tasks/busy_commands.h"
#include "tasks/copy_text.h"
#include "tasks/favorites.h"
#include "tasks/list_commands.h"
#include "tasks/location_commands.h"
#include "tasks/target_commands.h"
#include "ui/edit_item_dialog.h"
#include "ui/execute_failed_dialog.h"
#include "ui/result_context_menu.h"
#include "ui/result_list_model.h"
#include "ui/result_list_view.h"
#include "ui/summarize_dialog.h"
#include "ui/system_tray_icon.h"
#include "ui/tray_notifier.h"

namespace quexa::ui {
namespace {

using C = tasks::Command;

// The commands of the context menu and those of the File menu that act on the list.
bool IsViewCommand(C command) {
    switch (command) {
        case C::Open:
        case C::Save:
        case C::SaveAs:
        case C::ExportAll:
        case C::FileExportAllSeemly:
            return true;
        default:
            return command >= C::BrowserTarget;
    }
}

void ProcessPending() {
    QCoreApplication::processEvents();
}

// An export steps once per row: painting after each would cost more than the writing.
constexpr std::size_t kRowsPerPaint = 256;

// Marks a long command of the view for its lifetime: the view's commands wait meanwhile,
// since the events it lets through could change the rows under it.
class Running {
  public:
    explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
    ~Running() { flag_ = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

  private:
    bool& flag_;
};

}  // namespace

ResultView::ResultView(ResultViewContext context, QWidget* parent)
    : QWidget(parent),
      context_(std::move(context)),
      model_(new ResultListModel(context_.list, this)),
      listView_(new ResultListView(this)),
      menu_(new ResultContextMenu([this](C command) { return StateNow(command); }, this)),
      previewVisible_(context_.cache.previewVisible) {
    setAccessibleName(QStringLiteral("Result View"));
    listView_->setModel(model_);
    listView_->SetSorter([this](core::SortChoice choice) {
        return context_.control.SortList(choice, CurrentRow()).sorted;
    });
    listView_->LoadLayout(context_.profile);
    listView_->SetPreviewHeight(previewVisible_ ? core::SettingsCache::kPreviewHeight : 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(listView_);
    ConnectList();
    AddShortcuts();
    // Without a data folder the result folders would land in the working folder.
    if (!context_.dataDirectory.empty()) {
        tasks::Favorites(context_.dataDirectory).EnsureFolders();
    }
    ApplyAppearance();
    // The tray notifier animates unseen (nothing asks it to show) and ends with the view.
    TrayNotifier::CreateForView(this, std::make_unique<SystemTrayIcon>());
}

ResultView::~ResultView() = default;

void ResultView::ConnectList() {
    connect(listView_, &ResultListView::ContextMenuRequested, this,
            [this](int row, const QPoint& position) {
                SetCurrentRow(RowFrom(row));
                menu_->popup(position);
            });
    connect(listView_, &ResultListView::RowDoubleClicked, this, [this](int row) {
        SetCurrentRow(RowFrom(row));
        Run(C::BrowserTarget);
    });
    connect(listView_, &ResultListView::CellClicked, this,
            [this](int /*row*/, int /*column*/, bool onCheckBox) {
                if (onCheckBox) {
                    Q_EMIT CommandStatesChanged();
                }
            });
    connect(menu_, &ResultContextMenu::CommandChosen, this, [this](C command) { Run(command); });
}

// Only the context menu has these three: their keys live on the view, not on the main menu.
void ResultView::AddShortcuts() {
    const std::pair<C, QKeySequence> keys[] = {
        {C::SelectAll, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)},
        {C::UnselectAll, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {C::Summarize, QKeySequence(Qt::CTRL | Qt::Key_Y)},
    };
    for (const auto& [command, key] : keys) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const C chosen = command;
        connect(action, &QAction::triggered, this, [this, chosen] { Run(chosen); });
        addAction(action);
    }
}

ResultListView& ResultView::ListView() {
    return *listView_;
}

ResultContextMenu& ResultView::Menu() {
    return *menu_;
}

std::optional<std::size_t> ResultView::RowFrom(int row) {
    return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

std::optional<std::size_t> ResultView::CurrentRow() const {
    if (!currentRow_) {
        return std::nullopt;
    }
    return context_.list.RowOf(*currentRow_);
}

void ResultView::SetCurrentRow(std::optional<std::size_t> row) {
    if (row && *row < context_.list.Count()) {
        currentRow_ = context_.list.IdOf(*row);
    } else {
        currentRow_.reset();
    }
    Q_EMIT CommandStatesChanged();
}

void ResultView::Describe(tasks::CommandContext& context) const {
    tasks::DescribeList(context, context_.list, CurrentRow());
    context.listInUse = context_.document.listInUse();
    context.modified = context_.list.IsModified();
    context.previewVisible = previewVisible_;
}

tasks::CommandState ResultView::StateNow(C command) const {
    if (running_) {
        return {};
    }
    tasks::CommandContext context;
    Describe(context);
    const tasks::TaskState& state = context_.control.state();
    context.taskRunning = state.taskRunning;
    context.verifyRunning = state.verifyRunning;
    return tasks::StateWhileBusy(command, context, context_.control.busy());
}

bool ResultView::Run(C command) {
    if (!IsViewCommand(command)) {
        return false;
    }
    if (!StateNow(command).enabled) {
        return true;
    }
    RunLocation(command) || RunListEdit(command) || RunCopy(command) || RunTarget(command) ||
        RunFile(command) || RunExport(command) || RunOther(command);
    Q_EMIT CommandStatesChanged();
    return true;
}

bool ResultView::RunLocation(C command) {
    tasks::LocationCommands commands(context_.opener);
    const std::optional<std::size_t> row = CurrentRow();
    switch (command) {
        case C::BrowserTarget:
            ShowFailure(commands.BrowseTarget(context_.list, *row));
            return true;
        case C::OpenDir:
            ShowFailure(commands.OpenDir(context_.list, *row));
            return true;
        case C::BrowserAllSelected:
            BrowseAllSelected(commands);
            return true;
        default:
            return false;
    }
}

void ResultView::BrowseAllSelected(tasks::LocationCommands& commands) {
    const std::size_t selected = context_.list.SelectedCount();
    if (tasks::LocationCommands::AsksBeforeBrowsing(selected) &&
        context_.prompter.Ask(core::Prompter::Title::Warning,
                              tasks::LocationCommands::BrowseQuestion(selected),
                              core::Prompter::Buttons::YesNo) != core::Prompter::Answer::Yes) {
        return;
    }
    SetCurrentRow(commands.BrowseAllSelected(
        context_.list, [this](const tasks::ExecuteFailure& failure) { ShowFailure(failure); }));
}

void ResultView::ShowFailure(const std::optional<tasks::ExecuteFailure>& failure) {
    if (failure) {
        ExecuteFailedDialog(*failure, this).exec();
    }
}

bool ResultView::RunListEdit(C command) {
    switch (command) {
        case C::AddItem:
            AddItem();
            return true;
        case C::EditItem:
            EditItem();
            return true;
        default:
            break;
    }
    const tasks::ListChange change =
        tasks::RunListCommand(command, context_.list, CurrentRow(), context_.prompter);
    if (change == tasks::ListChange::Rows) {
        Q_EMIT ListChanged();
    }
    return change != tasks::ListChange::None;
}

void ResultView::AddItem() {
    const std::optional<core::ResultItem> values = EditItemDialog::Ask(core::EditItemForm(), this);
    if (!values) {
        return;
    }
    tasks::AddItemByHand(context_.list, CurrentRow(), *values, context_.prompter);
    context_.document.MarkListInUse();
    Q_EMIT ListChanged();
}

void ResultView::EditItem() {
    // The row may go while the dialog is open (a verification deletes it): its id tells.
    const core::ResultList::RowId id = context_.list.IdOf(*CurrentRow());
    const std::optional<core::ResultItem> values =
        EditItemDialog::Ask(core::EditItemForm(context_.list.Item(*CurrentRow())), this);
    const std::optional<std::size_t> row = context_.list.RowOf(id);
    if (values && row) {
        context_.list.EditItem(*row, *values);
    }
}

bool ResultView::RunCopy(C command) {
    const std::optional<std::size_t> row = CurrentRow();
    return row && tasks::CopyToClipboard(command, context_.list.Item(*row), context_.clipboard);
}

bool ResultView::RunTarget(C command) {
    tasks::TargetCommands targets(context_.trash, &context_.wait, ProcessPending);
    const tasks::TargetCommands::Options options{context_.cache.operateFileTargets,
                                                 context_.cache.operateFolderTargets};
    switch (command) {
        case C::CopyCurrentTarget:
            if (const std::optional<std::string> folder = ChooseFolder()) {
                targets.CopyCurrentTarget(context_.list, *CurrentRow(), *folder);
            }
            return true;
        case C::CopyAllSelectedTarget:
            if (const std::optional<std::string> folder = ChooseFolder()) {
                const Running running(running_);
                targets.CopyAllSelectedTargets(context_.list, *folder, options);
            }
            return true;
        case C::DeleteCurrentTarget:
            if (targets.DeleteCurrentTarget(context_.list, *CurrentRow())) {
                currentRow_.reset();
                Q_EMIT ListChanged();
            }
            return true;
        case C::DeleteAllSelectedTarget:
            DeleteAllSelectedTargets(targets, options);
            return true;
        default:
            return false;
    }
}

void ResultView::DeleteAllSelectedTargets(tasks::TargetCommands& targets,
                                          tasks::TargetCommands::Options options) {
    {
        const Running running(running_);
        targets.DeleteAllSelectedTargets(context_.list, options);
    }
    if (tasks::RunListCommand(C::DeleteSelected, context_.list, CurrentRow(), context_.prompter) ==
        tasks::ListChange::Rows) {
        Q_EMIT ListChanged();
    }
}

std::optional<std::string> ResultView::ChooseFolder() {
    QFileDialog dialog(
        this, QString::fromUtf8(
                  tasks::TargetCommands::kChooseFolderTitle.data(),
                  static_cast<qsizetype>(tasks::TargetCommands::kChooseFolderTitle.size())));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() ||
        dialog.selectedFiles().constFirst().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst().toStdString();
}

bool ResultView::RunFile(C command) {
    tasks::ResultDocument& document = context_.document;
    switch (command) {
        case C::Open:
            Changed(document.Open());
            return true;
        case C::Save:
            document.Save();
            return true;
        case C::SaveAs:
            document.SaveAs();
            return true;
        case C::Import:
            Changed(document.Import());
            return true;
        case C::CloseCurrentFile:
            if (document.CloseCurrentFile()) {
                currentRow_.reset();
                Q_EMIT ListChanged();
            }
            return true;
        default:
            return false;
    }
}

void ResultView::OpenChosenFile() {
    Changed(context_.document.OpenRequested());
    Q_EMIT CommandStatesChanged();
}

void ResultView::Changed(bool changed) {
    if (changed) {
        currentRow_.reset();
        Q_EMIT ListChanged();
    }
}

bool ResultView::RunExport(C command) {
    switch (command) {
        case C::ExportAll:
        case C::FileExportAllSeemly:
        case C::ExportAllSeemly: {
            const Running running(running_);
            files::RunExportCommand(command == C::ExportAll, ExportSource(), context_.prompter);
            return true;
        }
        case C::ExportTabAll:
        case C::ExportTabMatch: {
            const Running running(running_);
            files::RunTabExportCommand(command == C::ExportTabAll, ExportSource(),
                                       context_.prompter);
            return true;
        }
        default:
            return false;
    }
}

files::ExportSource ResultView::ExportSource() {
    // The wait window stands in for a progress bar: the view has none of its own.
    auto rows = std::make_shared<std::size_t>(0);
    files::ExportJob::Progress progress{
        .show =
            [this, rows](std::size_t total) {
                *rows = 0;
                context_.wait.Open(
                    {.caption = {}, .text = {}, .showCancel = false, .showCounter = true});
                context_.wait.SetTotal(total);
            },
        .step =
            [this, rows] {
                context_.wait.SetPosition(++*rows);
                if (*rows % kRowsPerPaint == 0) {
                    ProcessPending();
                }
            },
        .hide = [this] { context_.wait.Close(); },
    };
    return files::ExportSource{
        .list = context_.list,
        .profile = context_.profile,
        // What a save to a new file would write: no note, no password.
        .header = context_.document.HeaderFor({}),
        .templatePath =
            std::filesystem::path(context_.cache.appDirectory) / "Categories" / "html.htm",
        .progress = std::move(progress),
        .fileProgress = {&context_.wait, ProcessPending},
        .openPage =
            [this](const std::filesystem::path& page) {
                context_.opener.Browse(QUrl::fromLocalFile(QString::fromStdString(page.string()))
                                           .toString()
                                           .toStdString());
            },
    };
}

bool ResultView::RunOther(C command) {
    switch (command) {
        case C::AddToFavorite:
            tasks::Favorites(context_.dataDirectory)
                .Add(context_.list.Item(*CurrentRow()), context_.cache.authorName,
                     context_.prompter);
            return true;
        case C::EditExportRule:
            Q_EMIT EditExportRuleRequested();
            return true;
        case C::Summarize:
            Summarize();
            return true;
        default:
            return false;
    }
}

void ResultView::Summarize() {
    core::ResultList::Summary summary;
    {
        const core::WaitState::Scope counting(&context_.wait, {.caption = {},
                                                               .text = std::string(kSummarizeText),
                                                               .showCancel = false,
                                                               .showCounter = false});
        summary = context_.list.Summarize();
    }
    Q_EMIT ListChanged();
    SummarizeDialog(summary, this).exec();
}

void ResultView::TogglePreview() {
    previewVisible_ = !previewVisible_;
    core::settings::kPreview.Write(context_.profile, previewVisible_ ? 1 : 0);
    listView_->SetPreviewHeight(previewVisible_ ? core::SettingsCache::kPreviewHeight : 0);
    Q_EMIT PreviewToggled(previewVisible_);
    Q_EMIT CommandStatesChanged();
}

void ResultView::ApplyAppearance() {
    listView_->ApplyAppearance(ListAppearance::FromProfile(context_.profile));
}

void ResultView::OpenFromCommandLine(std::string_view argument) {
    Changed(context_.document.OpenFromCommandLine(argument));
}

void ResultView::StoreLayout() {
    listView_->StoreLayout(context_.profile);
}

}  // namespace quexa::ui
