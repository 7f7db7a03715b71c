// Renders the result list, the column chooser, the wait window and the prompter's dialogs into
// PNG files, so that a person can look at them without driving the program.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include <cstdio>

#include "core/wait_state.h"
#include "desktop_shots.h"
#include "file_manager_shots.h"
#include "option_shots.h"
#include "sample_rows.h"
#include "shot_writer.h"
#include "ui/column_chooser.h"
#include "ui/list_appearance.h"
#include "ui/password_dialog.h"
#include "ui/result_list_model.h"
#include "ui/result_list_view.h"
#include "ui/wait_window.h"
#include "wizard_shots.h"

namespace quexa::screenshots {
namespace {

using core::ResultCell;
using ui::ResultListModel;
using ui::ResultListView;

constexpr int kTitle = static_cast<int>(ResultCell::Title);

// Twenty sample rows in a list control of its own window.
struct ListShot {
    ListShot(int previewHeight, QSize size, const ui::ListAppearance& appearance) {
        FillSampleRows(list, previewHeight);
        view.setWindowTitle(QStringLiteral("Quexa - Result List"));
        view.setModel(&model);
        view.resize(size);
        view.ApplyAppearance(appearance);
        view.SetPreviewHeight(previewHeight);
    }

    core::ResultList list;
    ResultListModel model{list};
    ResultListView view;
};

// The list with preview bands, grid lines, the default background picture and the sort mark.
void ListWithPreviews(ShotWriter& writer) {
    ui::ListAppearance appearance;
    appearance.horizontalGrid = true;
    appearance.background = 6;
    ListShot shot(core::ResultItem::kPreviewBandHeight, QSize(960, 700), appearance);
    shot.view.SortByColumn(kTitle);
    shot.view.SetCurrentRow(2);
    shot.view.setFocus();
    writer.Write(shot.view, QStringLiteral("list_preview_on"));
}

// Without previews: alternate row colours, both grids, no picture, sorted by status downwards.
void ListWithoutPreviews(ShotWriter& writer) {
    ui::ListAppearance appearance;
    appearance.alternateRows = true;
    appearance.horizontalGrid = true;
    appearance.verticalGrid = true;
    ListShot shot(0, QSize(960, 560), appearance);
    const int status = static_cast<int>(ResultCell::Status);
    shot.view.SortByColumn(status);
    shot.view.SortByColumn(status);
    shot.view.SetCurrentRow(5);
    shot.view.setFocus();
    writer.Write(shot.view, QStringLiteral("list_preview_off"));
}

// The column chooser beside a list with two columns hidden, and another background picture.
void ListWithChooser(ShotWriter& writer) {
    core::ResultList list;
    FillSampleRows(list, core::ResultItem::kPreviewBandHeight);
    ResultListModel model(list);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quexa - Field Manager"));
    auto* view = new ResultListView(&window);
    view->setModel(&model);
    auto* chooser = new ui::ColumnChooser(*view, &window);
    chooser->setFixedWidth(150);
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(chooser);
    layout->addWidget(view, 1);
    ui::ListAppearance appearance;
    appearance.background = 2;
    view->ApplyAppearance(appearance);
    view->SetPreviewHeight(core::ResultItem::kPreviewBandHeight);
    view->DeactivateColumn(static_cast<int>(ResultCell::Visit));
    view->DeactivateColumn(static_cast<int>(ResultCell::SearchTarget));
    view->SortByColumn(static_cast<int>(ResultCell::Location));
    window.resize(960, 520);
    writer.Write(window, QStringLiteral("list_field_manager"));
}

void EmptyList(ShotWriter& writer) {
    core::ResultList list;
    ResultListModel model(list);
    ResultListView view;
    view.setModel(&model);
    view.resize(700, 360);
    writer.Write(view, QStringLiteral("list_empty"));
}

void WaitWindows(ShotWriter& writer) {
    core::WaitState state;
    ui::WaitWindow window(state);
    core::WaitState::Settings loading;
    loading.caption = "Loading";
    loading.text = "Loading , please stand by ... ... ";
    window.Open(loading);
    window.SetProgress(3, 10);
    window.Poll();
    writer.Write(window, QStringLiteral("wait_progress"));
    window.Close();

    core::WaitState::Settings sorting;
    sorting.caption = "Quexa";
    sorting.showCancel = false;
    window.Open(sorting);
    window.Poll();
    writer.Write(window, QStringLiteral("wait_plain"));
    window.Close();
}

void Dialogs(ShotWriter& writer) {
    ui::PasswordDialog password;
    password.Edit()->setText(QStringLiteral("secret"));
    writer.Write(password, QStringLiteral("dialog_password"));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error:"),
                    QStringLiteral("Password unvaild\ntry again ?"),
                    QMessageBox::Yes | QMessageBox::Cancel);
    writer.Write(box, QStringLiteral("dialog_error"));
}

}  // namespace
}  // namespace quexa::screenshots

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quexa-screenshots DIR\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    quexa::screenshots::ShotWriter writer(folder);
    quexa::screenshots::ListWithPreviews(writer);
    quexa::screenshots::ListWithoutPreviews(writer);
    quexa::screenshots::ListWithChooser(writer);
    quexa::screenshots::EmptyList(writer);
    quexa::screenshots::WaitWindows(writer);
    quexa::screenshots::Dialogs(writer);
    quexa::screenshots::OptionShots(writer);
    quexa::screenshots::FileManagerShots(writer);
    quexa::screenshots::HangUpDialogShot(writer);
    quexa::screenshots::TrayShots(writer);
    quexa::screenshots::WizardShots(writer);
    return writer.Failures() == 0 ? 0 : 1;
}
