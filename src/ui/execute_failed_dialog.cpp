#include "ui/execute_failed_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quexa::ui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Read-only, so that a long path can be scrolled and copied.
QLineEdit* ShownText(std::string_view text, QWidget* parent) {
    auto* edit = new QLineEdit(FromUtf8(text), parent);
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    return edit;
}

}  // namespace

ExecuteFailedDialog::ExecuteFailedDialog(const tasks::ExecuteFailure& failure, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File Path:"), ShownText(failure.location, this));
    form->addRow(QStringLiteral("Error Code:"), ShownText(failure.errorText, this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(FromUtf8(tasks::ExecuteFailure::kMessage), this));
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

}  // namespace quexa::ui
