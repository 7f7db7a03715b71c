#include "ui/file_manager/change_password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quexa::ui {

namespace {

QLineEdit* PasswordEdit() {
    auto* edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

}  // namespace

ChangePasswordDialog::ChangePasswordDialog(bool isProtected, Confirm confirm, QWidget* parent)
    : QDialog(parent),
      isProtected_(isProtected),
      confirmEntry_(std::move(confirm)),
      old_(PasswordEdit()),
      new_(PasswordEdit()),
      confirm_(PasswordEdit()),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Old:"), old_);
    form->addRow(QStringLiteral("New:"), new_);
    form->addRow(QStringLiteral("Confirm:"), confirm_);
    form->addRow(new QLabel(QStringLiteral("Note: Password is case matched!")));
    form->addRow(buttons_);
    old_->setEnabled(isProtected);
    (isProtected ? old_ : new_)->setFocus();
    for (QLineEdit* edit : {old_, new_, confirm_}) {
        connect(edit, &QLineEdit::textChanged, this, &ChangePasswordDialog::UpdateOk);
    }
    connect(buttons_, &QDialogButtonBox::accepted, this, &ChangePasswordDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    UpdateOk();
}

tasks::PasswordChange::Entry ChangePasswordDialog::Entry() const {
    return {isProtected_ ? old_->text().toStdString() : std::string(), new_->text().toStdString(),
            confirm_->text().toStdString()};
}

bool ChangePasswordDialog::OkEnabled() const {
    return buttons_->button(QDialogButtonBox::Ok)->isEnabled();
}

void ChangePasswordDialog::UpdateOk() {
    const bool ready = isProtected_ ? !old_->text().isEmpty()
                                    : !new_->text().isEmpty() && !confirm_->text().isEmpty();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(ready);
}

void ChangePasswordDialog::accept() {
    if (!OkEnabled() || (confirmEntry_ && !confirmEntry_(Entry()))) {
        return;
    }
    QDialog::accept();
}

}  // namespace quexa::ui
