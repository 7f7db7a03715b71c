#include "ui/result_view.h"

#include <QVBoxLayout>

#include "core/settings_table.h"
#include "tasks/copy_text.h"
#include "ui/result_list_model.h"
#include "ui/result_list_view.h"

namespace quexa::ui {
namespace {

// The commands of the context menu and those of the File menu that act on the list.
bool IsViewCommand(tasks::Command command) {
    using C = tasks::Command;
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

}  // namespace

ResultView::ResultView(ResultViewContext context, QWidget* parent)
    : QWidget(parent),
      context_(std::move(context)),
      model_(new ResultListModel(context_.list, this)),
      listView_(new ResultListView(this)),
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
    ApplyAppearance();
}

ResultView::~ResultView() = default;

ResultListView& ResultView::ListView() {
    return *listView_;
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

tasks::CommandContext ResultView::FullContext() const {
    tasks::CommandContext context;
    Describe(context);
    const tasks::TaskState& state = context_.control.state();
    context.taskRunning = state.taskRunning;
    context.verifyRunning = state.verifyRunning;
    context.busy = context_.control.busy().IsBusy();
    return context;
}

bool ResultView::Run(tasks::Command command) {
    if (!IsViewCommand(command)) {
        return false;
    }
    if (!tasks::StateOf(command, FullContext()).enabled) {
        return true;
    }
    return RunSelection(command) || RunCopy(command);
}

bool ResultView::RunSelection(tasks::Command command) {
    using C = tasks::Command;
    core::ResultList& list = context_.list;
    switch (command) {
        case C::SelectAll:
            list.SelectAll();
            break;
        case C::UnselectAll:
            list.UnselectAll();
            break;
        case C::ReverseSelect:
            list.ReverseSelect();
            break;
        case C::SelectReachable:
            list.SelectStatus(core::StatusCode::Reachable);
            break;
        case C::SelectUnreachable:
            list.SelectStatus(core::StatusCode::Unreachable);
            break;
        case C::SelectNormal:
            list.SelectStatus(core::StatusCode::Normal);
            break;
        case C::SelectUnknown:
            list.SelectStatus(core::StatusCode::Unknown);
            break;
        case C::SelectVisited:
            list.SelectVisited();
            break;
        default:
            return false;
    }
    Q_EMIT CommandStatesChanged();
    return true;
}

bool ResultView::RunCopy(tasks::Command command) {
    const std::optional<std::size_t> row = CurrentRow();
    return row && tasks::CopyToClipboard(command, context_.list.Item(*row), context_.clipboard);
}

void ResultView::TogglePreview() {
    previewVisible_ = !previewVisible_;
    core::settings::kPreview.Write(context_.profile, previewVisible_ ? 1 : 0);
    listView_->SetPreviewHeight(previewVisible_ ? core::SettingsCache::kPreviewHeight : 0);
    Q_EMIT CommandStatesChanged();
}

void ResultView::ApplyAppearance() {
    listView_->ApplyAppearance(ListAppearance::FromProfile(context_.profile));
}

void ResultView::OpenFromCommandLine(std::string_view argument) {
    if (context_.document.OpenFromCommandLine(argument)) {
        Q_EMIT ListChanged();
    }
}

void ResultView::StoreLayout() {
    listView_->StoreLayout(context_.profile);
}

}  // namespace quexa::ui
