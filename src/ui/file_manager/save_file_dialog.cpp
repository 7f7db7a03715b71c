#include "ui/file_manager/save_file_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ui/file_manager/result_tree_widget.h"

namespace quexa::ui {

using Kind = files::TreeNode::Kind;

SaveFileDialog::SaveFileDialog(const std::filesystem::path& dataFolder, bool loading,
                               const QString& offeredName, QWidget* parent)
    : QDialog(parent),
      loading_(loading),
      tree_(new ResultTreeWidget(dataFolder)),
      name_(new QLineEdit(offeredName)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(QString::fromLatin1(loading ? kLoadTitle : kSaveTitle));
    tree_->setDragDropMode(QAbstractItemView::NoDragDrop);
    name_->setReadOnly(loading);
    auto* form = new QFormLayout(this);
    form->addRow(tree_);
    form->addRow(QStringLiteral("File Name:"), name_);
    form->addRow(buttons_);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(false);
    // The keyboard moves the current node as a click would.
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { Clicked(item); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &SaveFileDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(360, 420);
}

void SaveFileDialog::Clicked(QTreeWidgetItem* item) {
    const files::TreeNode node = ResultTreeWidget::NodeOf(item);
    const bool chosen =
        item != nullptr && node.kind != Kind::Root && node.kind != Kind::Placeholder;
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(chosen);
    if (node.IsFolder()) {
        if (!loading_) {
            folder_ = node.path;
        }
    } else if (node.kind == Kind::ResultFile || node.kind == Kind::Unreadable) {
        folder_ = node.path.parent_path();
        name_->setText(item->text(0));
    }
}

bool SaveFileDialog::OkEnabled() const {
    return buttons_->button(QDialogButtonBox::Ok)->isEnabled();
}

std::optional<std::string> SaveFileDialog::Chosen() const {
    if (result() != Accepted) {
        return std::nullopt;
    }
    return (folder_ / name_->text().toStdString()).string();
}

void SaveFileDialog::accept() {
    if (!OkEnabled() || !files::ResultFolder::IsPlainName(name_->text().toStdString()) ||
        folder_.empty()) {
        return;
    }
    QDialog::accept();
}

}  // namespace quexa::ui
