#include "ui/scheme_editor/scheme_name_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quexa::ui {

SchemeNameDialog::SchemeNameDialog(const QString& name, QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(name, this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    name_->setMaxLength(kNameLimit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Scheme Name:"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    const auto showOk = [this] { ok_->setEnabled(!name_->text().trimmed().isEmpty()); };
    showOk();
    connect(name_, &QLineEdit::textChanged, this, showOk);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    name_->selectAll();
}

std::optional<std::string> SchemeNameDialog::Ask(const QString& name, QWidget* parent) {
    SchemeNameDialog dialog(name, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Name().text().toStdString();
}

}  // namespace quexa::ui
