#include "ui/file_manager/file_property_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QTreeWidget>

namespace quexa::ui {

FilePropertyDialog::FilePropertyDialog(const tasks::FileProperty& property, QWidget* parent)
    : QDialog(parent), rows_(new QTreeWidget), note_(new QLineEdit), author_(new QLineEdit) {
    setWindowTitle(QString::fromLatin1(kTitle));
    rows_->setAccessibleName(QStringLiteral("Property"));
    rows_->setRootIsDecorated(false);
    rows_->setHeaderLabels({QStringLiteral("Attribute"), QStringLiteral("Content")});
    rows_->setColumnWidth(0, 100);
    rows_->setColumnWidth(1, 350);
    for (const auto& [attribute, content] : property.rows) {
        rows_->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QString::fromStdString(attribute), QString::fromStdString(content)}));
    }
    note_->setMaxLength(static_cast<int>(tasks::FileProperty::kNoteLimit));
    note_->setText(QString::fromStdString(property.note));
    author_->setMaxLength(static_cast<int>(tasks::FileProperty::kAuthorLimit));
    author_->setText(QString::fromStdString(property.author));
    note_->setReadOnly(property.isProtected);
    author_->setReadOnly(property.isProtected);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* form = new QFormLayout(this);
    form->addRow(rows_);
    form->addRow(QStringLiteral("Note:"), note_);
    form->addRow(QStringLiteral("Author:"), author_);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(480, 420);
}

QString FilePropertyDialog::Note() const {
    return note_->text();
}

QString FilePropertyDialog::Author() const {
    return author_->text();
}

}  // namespace quexa::ui
