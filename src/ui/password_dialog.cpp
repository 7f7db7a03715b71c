#include "ui/password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quexa::ui {

PasswordDialog::PasswordDialog(QWidget* parent)
    : QDialog(parent),
      edit_(new QLineEdit(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    edit_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Password:"), edit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please input decrypt password!"), this));
    layout->addLayout(form);
    layout->addWidget(new QLabel(QStringLiteral("The password is case matched!"), this));
    layout->addWidget(buttons_);

    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    connect(edit_, &QLineEdit::textChanged, ok,
            [ok](const QString& text) { ok->setEnabled(!text.isEmpty()); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString PasswordDialog::Password() const {
    return edit_->text();
}

}  // namespace quexa::ui
