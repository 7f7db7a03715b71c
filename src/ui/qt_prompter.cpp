#include "ui/qt_prompter.h"

#include <QFileDialog>
#include <QMessageBox>

#include <utility>

#include "ui/file_filter.h"
#include "ui/file_manager/save_file_dialog.h"
#include "ui/password_dialog.h"

namespace quexa::ui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon IconFor(core::Prompter::Title title) {
    switch (title) {
        case core::Prompter::Title::Error:
            return QMessageBox::Critical;
        case core::Prompter::Title::Note:
            return QMessageBox::Information;
        case core::Prompter::Title::Warning:
        case core::Prompter::Title::Warrning:
            return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsFor(core::Prompter::Buttons buttons) {
    switch (buttons) {
        case core::Prompter::Buttons::Ok:
            return QMessageBox::Ok;
        case core::Prompter::Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case core::Prompter::Buttons::YesCancel:
            return QMessageBox::Yes | QMessageBox::Cancel;
        case core::Prompter::Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing the box by its title bar or Escape is the cautious answer its buttons allow.
core::Prompter::Answer AnswerFor(int clicked, core::Prompter::Buttons buttons) {
    switch (clicked) {
        case QMessageBox::Ok:
            return core::Prompter::Answer::Ok;
        case QMessageBox::Yes:
            return core::Prompter::Answer::Yes;
        case QMessageBox::No:
            return core::Prompter::Answer::No;
        case QMessageBox::Cancel:
            return core::Prompter::Answer::Cancel;
        default:
            break;
    }
    return core::Prompter::DismissedAnswer(buttons);
}

}  // namespace

QtPrompter::QtPrompter(QWidget* parent, QString startFolder)
    : parent_(parent), startFolder_(std::move(startFolder)) {}

core::Prompter::Answer QtPrompter::Ask(Title title, std::string_view text, Buttons buttons) {
    QString shown = FromUtf8(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(IconFor(title), FromUtf8(TitleText(title)), shown, ButtonsFor(buttons),
                    parent_.data());
    return AnswerFor(box.exec(), buttons);
}

std::optional<std::string> QtPrompter::AskPassword() {
    PasswordDialog dialog(parent_.data());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Password().toStdString();
}

bool QtPrompter::NamesWithoutExtension(FileUse use) {
    return use == FileUse::SaveResult || use == FileUse::LoadResult;
}

QString QtPrompter::FileCaption(FileUse use) {
    switch (use) {
        case FileUse::SaveResult:
            return QStringLiteral("Save File");
        case FileUse::LoadResult:
            return QStringLiteral("Load file");
        case FileUse::OpenResult:
            return QStringLiteral("Open Quexa Result File");
        case FileUse::Export:
            return QStringLiteral("Export All");
    }
    return {};
}

std::optional<std::string> QtPrompter::ChooseFile(const FileRequest& request) {
    if (request.use == FileUse::SaveResult || request.use == FileUse::LoadResult) {
        return ChooseInTree(request);
    }
    const bool saving = request.use == FileUse::SaveResult || request.use == FileUse::Export;
    QFileDialog dialog(
        parent_.data(),
        request.caption.empty() ? FileCaption(request.use) : FromUtf8(request.caption),
        startFolder_);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Saving a result file asks its own overwrite question; an export leaves it to the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, request.use != FileUse::Export);
    QStringList filters = FileFilter::ToQt(request.filter);
    if (filters.isEmpty() && !request.defaultExtension.empty()) {
        filters << QStringLiteral("*.%1").arg(FromUtf8(request.defaultExtension));
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    const bool nameOnly = NamesWithoutExtension(request.use);
    const QString extension = FromUtf8(request.defaultExtension);
    if (!nameOnly) {
        dialog.setDefaultSuffix(extension);
    }
    if (!request.offeredName.empty()) {
        dialog.selectFile(FromUtf8(request.offeredName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    QString chosen = dialog.selectedFiles().constFirst();
    const QString suffix = QLatin1Char('.') + extension;
    if (nameOnly && !extension.isEmpty() && chosen.endsWith(suffix, Qt::CaseInsensitive)) {
        chosen.chop(suffix.size());
    }
    return chosen.toStdString();
}

std::optional<std::string> QtPrompter::ChooseInTree(const FileRequest& request) {
    // The start folder is the data folder's Data; the tree's top folders lie below it.
    const std::filesystem::path data =
        std::filesystem::path(startFolder_.toStdString()).parent_path();
    SaveFileDialog dialog(data, request.use == FileUse::LoadResult, FromUtf8(request.offeredName),
                          parent_.data());
    if (!request.caption.empty()) {
        dialog.setWindowTitle(FromUtf8(request.caption));
    }
    dialog.exec();
    return dialog.Chosen();
}

}  // namespace quexa::ui
