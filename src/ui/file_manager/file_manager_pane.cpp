#include "ui/file_manager/file_manager_pane.h"

#include <QMenu>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "files/result_file.h"
#include "files/result_folder_change.h"
#include "tasks/file_property.h"
#include "tasks/folder_import.h"
#include "tasks/password_change.h"
#include "tasks/result_document.h"
#include "ui/file_manager/change_password_dialog.h"
#include "ui/file_manager/file_property_dialog.h"
#include "ui/file_manager/name_dialog.h"
#include "ui/file_manager/result_tree_widget.h"

namespace quexa::ui {

namespace fs = std::filesystem;
using files::ResultFolderChange;
using files::ResultTreeRules;
using files::TreeEntry;
using files::TreeNode;
using Kind = files::TreeNode::Kind;
using Outcome = files::ResultFolderChange::Outcome;
using Title = core::Prompter::Title;

namespace {

struct MenuEntry {
    TreeEntry entry;
    const char* text;
};

constexpr MenuEntry kTopFolderMenu[] = {{TreeEntry::NewFolder, "New Folder"},
                                        {TreeEntry::Paste, "Paste"},
                                        {TreeEntry::Import, "Import"}};
constexpr MenuEntry kFolderMenu[] = {{TreeEntry::NewFolder, "New Folder"},
                                     {TreeEntry::Copy, "Copy"},
                                     {TreeEntry::Cut, "Cut"},
                                     {TreeEntry::Paste, "Paste"},
                                     {TreeEntry::Delete, "Delete Folder"},
                                     {TreeEntry::Rename, "Rename"},
                                     {TreeEntry::Import, "Import"},
                                     {TreeEntry::Download, "Download"}};
constexpr MenuEntry kFileMenu[] = {
    {TreeEntry::Open, "Open"},        {TreeEntry::Copy, "Copy"},
    {TreeEntry::Cut, "Cut"},          {TreeEntry::Delete, "Delete"},
    {TreeEntry::Rename, "Rename"},    {TreeEntry::ChangePassword, "Change Password"},
    {TreeEntry::Property, "Property"}};

std::span<const MenuEntry> EntriesFor(Kind kind) {
    switch (kind) {
        case Kind::TopFolder:
            return kTopFolderMenu;
        case Kind::Folder:
            return kFolderMenu;
        case Kind::ResultFile:
        case Kind::Unreadable:
            return kFileMenu;
        default:
            return {};
    }
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

FileManagerPane::FileManagerPane(FileManagerContext context, QWidget* parent)
    : QWidget(parent),
      context_(std::move(context)),
      tree_(new ResultTreeWidget(context_.dataFolder)) {
    setAccessibleName(QStringLiteral("Result File Manager"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    connect(tree_, &QWidget::customContextMenuRequested, this, &FileManagerPane::ShowMenu);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (ResultTreeWidget::NodeOf(item).IsResultFile()) {
            Run(TreeEntry::Open);
        }
    });
    tree_->mayDrag = [this](const TreeNode& node) {
        if (!ResultTreeRules::Movable(node, context_.state.currentFile)) {
            return false;
        }
        clip_ = files::TreeClip{node, true};
        return true;
    };
    tree_->dropped = [this](QTreeWidgetItem* source, QTreeWidgetItem* target) {
        Dropped(source, target);
    };
}

FileManagerPane::~FileManagerPane() = default;

std::unique_ptr<QMenu> FileManagerPane::MenuFor(const QTreeWidgetItem* item) {
    const TreeNode node = ResultTreeWidget::NodeOf(item);
    const std::span<const MenuEntry> entries = EntriesFor(node.kind);
    if (entries.empty()) {
        return nullptr;
    }
    auto menu = std::make_unique<QMenu>(tree_);
    for (const MenuEntry& entry : entries) {
        QAction* action = menu->addAction(QString::fromLatin1(entry.text));
        action->setEnabled(
            ResultTreeRules::Enabled(entry.entry, node, context_.state.currentFile, clip_));
        const TreeEntry which = entry.entry;
        connect(action, &QAction::triggered, this, [this, which] { Run(which); });
    }
    return menu;
}

bool FileManagerPane::RefusedWhileRunning() {
    if (!context_.state.taskRunning && !context_.state.verifyRunning) {
        return false;
    }
    Tell(kTaskRunning, Title::Note);
    return true;
}

void FileManagerPane::ShowMenu(const QPoint& position) {
    QTreeWidgetItem* item = tree_->itemAt(position);
    if (item == nullptr) {
        return;
    }
    tree_->setCurrentItem(item);
    if (RefusedWhileRunning()) {
        return;
    }
    if (const std::unique_ptr<QMenu> menu = MenuFor(item)) {
        menu->exec(tree_->viewport()->mapToGlobal(position));
    }
}

void FileManagerPane::Run(TreeEntry entry) {
    QTreeWidgetItem* item = tree_->currentItem();
    const TreeNode node = ResultTreeWidget::NodeOf(item);
    if (item == nullptr ||
        !ResultTreeRules::Enabled(entry, node, context_.state.currentFile, clip_)) {
        return;
    }
    switch (entry) {
        case TreeEntry::NewFolder:
            return NewFolder(item);
        case TreeEntry::Open:
            return Open(item);
        case TreeEntry::Copy:
        case TreeEntry::Cut:
            clip_ = files::TreeClip{node, entry == TreeEntry::Cut};
            return;
        case TreeEntry::Paste:
            return Paste(item);
        case TreeEntry::Delete:
            return Delete(item);
        case TreeEntry::Rename:
            return Rename(item);
        case TreeEntry::Import:
            return Import(item);
        case TreeEntry::ChangePassword:
            return ChangePassword(item);
        case TreeEntry::Property:
            return Property(item);
        case TreeEntry::Download:
            // Accepted and ignored, as the frame does.
            return;
    }
}

std::optional<std::string> FileManagerPane::AskName(const QString& caption, const QString& label,
                                                    const QString& oldText, bool mustDiffer) {
    NameDialog dialog({caption, label, oldText, QStringLiteral("New Name:"), mustDiffer}, this);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Name().toStdString();
}

void FileManagerPane::NewFolder(QTreeWidgetItem* item) {
    const TreeNode node = ResultTreeWidget::NodeOf(item);
    NameDialog dialog(
        {QStringLiteral("New Class"), QStringLiteral("Parent Class:"),
         QString::fromStdString(ResultTreeRules::DisplayPath(node, context_.dataFolder)),
         QStringLiteral("New Class:"), false},
        this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    switch (ResultFolderChange::MakeFolder(node.path, dialog.Name().toStdString())) {
        case Outcome::Exists:
            return Tell(kFolderExists);
        case Outcome::Failed:
            return Tell(kCannotCreateFolder);
        case Outcome::Done:
            tree_->Reread(item);
            return;
    }
}

void FileManagerPane::Open(QTreeWidgetItem* item) {
    if (RefusedWhileRunning()) {
        return;
    }
    const std::string path = ResultTreeWidget::NodeOf(item).path.string();
    if (path != context_.state.currentFile && context_.openChosen) {
        context_.openChosen(path);
    }
    if (context_.fileChanged) {
        context_.fileChanged();
    }
}

void FileManagerPane::Rename(QTreeWidgetItem* item) {
    const TreeNode node = ResultTreeWidget::NodeOf(item);
    const bool isFile = !node.IsFolder();
    const std::optional<std::string> name =
        AskName(QStringLiteral("Rename"),
                isFile ? QStringLiteral("Current File:") : QStringLiteral("Class Name: "),
                item->text(0), true);
    if (!name) {
        return;
    }
    Outcome outcome = ResultFolderChange::Rename(node.path, *name, isFile);
    const fs::path target = files::ResultFolder::ChildPath(node.path.parent_path(), *name, isFile);
    if (outcome == Outcome::Exists && !isFile) {
        Tell(kFolderExists);
    } else if (outcome == Outcome::Exists &&
               files::ResultFolder::Holds(target, context_.state.currentFile)) {
        Tell(tasks::ResultDocument::kFileInUse);
    } else if (outcome == Outcome::Exists &&
               context_.prompter.Ask(Title::Warning, tasks::ResultDocument::kFileExists,
                                     core::Prompter::Buttons::YesNo) ==
                   core::Prompter::Answer::Yes) {
        outcome = ResultFolderChange::Rename(node.path, *name, isFile, true);
    }
    if (outcome == Outcome::Done) {
        // The parent is read again: a replaced file's node goes, a folder's children move.
        QTreeWidgetItem* parent = item->parent();
        tree_->Reread(parent);
        tree_->setCurrentItem(ItemOf(target));
    }
}

void FileManagerPane::Delete(QTreeWidgetItem* item) {
    if (context_.trash.MoveToTrash(ResultTreeWidget::NodeOf(item).path.string())) {
        delete item;
    }
}

void FileManagerPane::ChangePassword(QTreeWidgetItem* item) {
    const fs::path path = ResultTreeWidget::NodeOf(item).path;
    tasks::PasswordChange change(context_.prompter);
    const auto outcome =
        change.Run(path, [&](bool isProtected) -> std::optional<tasks::PasswordChange::Entry> {
            ChangePasswordDialog dialog(
                isProtected,
                [&](const tasks::PasswordChange::Entry& entry) {
                    return change.ConfirmMatches(entry);
                },
                this);
            if (dialog.exec() != QDialog::Accepted) {
                return std::nullopt;
            }
            return dialog.Entry();
        });
    if (outcome == tasks::PasswordChange::Outcome::Changed ||
        outcome == tasks::PasswordChange::Outcome::Removed) {
        tree_->SetFilePicture(item, files::ResultFolder::PictureOf(path));
        if (context_.fileChanged) {
            context_.fileChanged();
        }
    }
}

void FileManagerPane::Import(QTreeWidgetItem* item) {
    tasks::FolderImport import(context_.prompter, [this](const std::string& oldName) {
        return AskName(FromView(tasks::FolderImport::kRenameCaption),
                       QStringLiteral("Import File: "), QString::fromStdString(oldName), true);
    });
    const std::optional<fs::path> copy =
        import.Run(ResultTreeWidget::NodeOf(item).path, context_.state.currentFile);
    if (copy) {
        tree_->Reread(item);
        tree_->setCurrentItem(ItemOf(*copy));
    }
}

void FileManagerPane::Paste(QTreeWidgetItem* item) {
    const bool move = clip_->cut;
    QTreeWidgetItem* source = ItemOf(clip_->node.path);
    Transfer(source, item, move);
}

void FileManagerPane::Dropped(QTreeWidgetItem* source, QTreeWidgetItem* target) {
    QMenu menu(tree_);
    QAction* copy = menu.addAction(QStringLiteral("Copy Here"));
    QAction* move = menu.addAction(QStringLiteral("Move Here"));
    const QAction* chosen = menu.exec(QCursor::pos());
    if (chosen == copy || chosen == move) {
        Transfer(source, target, chosen == move);
    }
}

void FileManagerPane::Transfer(QTreeWidgetItem* source, QTreeWidgetItem* target, bool move) {
    const TreeNode from = source != nullptr ? ResultTreeWidget::NodeOf(source) : clip_->node;
    const TreeNode into = ResultTreeWidget::NodeOf(target);
    if (!ResultTreeRules::MayPaste(from, into) ||
        (move && !ResultTreeRules::Movable(from, context_.state.currentFile))) {
        return;
    }
    const files::FileProgress progress{context_.wait, context_.processPending};
    if (ResultFolderChange::Transfer(from.path, into.path, move, progress) != Outcome::Done) {
        return;
    }
    if (move) {
        delete ItemOf(from.path);
        clip_.reset();
    }
    tree_->Reread(target);
}

void FileManagerPane::Property(QTreeWidgetItem* item) {
    const fs::path path = ResultTreeWidget::NodeOf(item).path;
    const std::optional<tasks::FileProperty> property = tasks::FileProperty::Read(path);
    if (!property) {
        return Tell(files::kOperatorFileFailed);
    }
    FilePropertyDialog dialog(*property, this);
    if (dialog.exec() != QDialog::Accepted || property->isProtected) {
        return;
    }
    if (!ResultFolderChange::WriteNoteAndAuthor(path, dialog.Note().toStdString(),
                                                dialog.Author().toStdString())) {
        return Tell(files::kOperatorFileFailed);
    }
    if (context_.fileChanged) {
        context_.fileChanged();
    }
}

QTreeWidgetItem* FileManagerPane::ItemOf(const fs::path& path) const {
    for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
        if (ResultTreeWidget::NodeOf(*it).path == path) {
            return *it;
        }
    }
    return nullptr;
}

void FileManagerPane::Tell(std::string_view text, Title title) {
    context_.prompter.Tell(title, text);
}

}  // namespace quexa::ui
