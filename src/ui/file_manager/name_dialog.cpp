#include "ui/file_manager/name_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace quexa::ui {

NameDialog::NameDialog(const Texts& texts, QWidget* parent)
    : QDialog(parent),
      oldText_(texts.oldText),
      mustDiffer_(texts.mustDiffer),
      name_(new QLineEdit),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(texts.caption);
    auto* old = new QLineEdit(texts.oldText);
    old->setReadOnly(true);
    auto* form = new QFormLayout(this);
    form->addRow(texts.oldLabel, old);
    form->addRow(texts.newLabel, name_);
    form->addRow(buttons_);
    connect(name_, &QLineEdit::textChanged, this, &NameDialog::UpdateOk);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    name_->setFocus();
    UpdateOk();
}

QString NameDialog::Name() const {
    return name_->text();
}

bool NameDialog::OkEnabled() const {
    return buttons_->button(QDialogButtonBox::Ok)->isEnabled();
}

void NameDialog::UpdateOk() {
    const QString name = name_->text();
    const bool differs = name.compare(oldText_, Qt::CaseInsensitive) != 0;
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(!name.isEmpty() && (!mustDiffer_ || differs));
}

}  // namespace quexa::ui
