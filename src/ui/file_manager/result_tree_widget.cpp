#include "ui/file_manager/result_tree_widget.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>

#include <utility>

namespace quexa::ui {

namespace fs = std::filesystem;
using files::FilePicture;
using files::ResultFolder;
using files::ResultTreeRules;
using files::TreeNode;
using Kind = files::TreeNode::Kind;

namespace {

QString ToQt(const fs::path& path) {
    return QString::fromStdString(path.string());
}

QTreeWidgetItem* MakeItem(const QString& text, Kind kind, const fs::path& path,
                          FilePicture picture = FilePicture::Valid) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, ResultTreeWidget::kKindRole, static_cast<int>(kind));
    item->setData(0, ResultTreeWidget::kPathRole, ToQt(path));
    item->setData(0, ResultTreeWidget::kPictureRole, static_cast<int>(picture));
    return item;
}

QString TopPicture(std::string_view folder) {
    if (folder.ends_with("Internet")) {
        return QStringLiteral("tree_top_internet");
    }
    return folder.ends_with("Intranet") ? QStringLiteral("tree_top_intranet")
                                        : QStringLiteral("tree_top_favorite");
}

}  // namespace

ResultTreeWidget::ResultTreeWidget(fs::path dataFolder, QWidget* parent)
    : QTreeWidget(parent), dataFolder_(std::move(dataFolder)) {
    setHeaderHidden(true);
    setAccessibleName(QStringLiteral("Result File Tree"));
    setIconSize(QSize(16, 16));
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAutoExpandDelay(600);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QTreeWidget::itemExpanded, this, &ResultTreeWidget::Expanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &ResultTreeWidget::Collapsed);
    Build();
}

void ResultTreeWidget::Build() {
    auto* root = MakeItem(
        QString::fromLatin1(ResultTreeRules::kRootText.data(), ResultTreeRules::kRootText.size()),
        Kind::Root, {});
    root->setIcon(0, PictureOf(Kind::Root, FilePicture::Valid, false));
    addTopLevelItem(root);
    for (const ResultTreeRules::TopFolder& top : ResultTreeRules::kTopFolders) {
        auto* item = MakeItem(QString::fromLatin1(top.text.data(), top.text.size()),
                              Kind::TopFolder, dataFolder_ / top.folder);
        item->setIcon(0, Picture(TopPicture(top.folder)));
        AddPlaceholder(item);
        root->addChild(item);
    }
    root->setExpanded(true);
    setCurrentItem(root);
}

TreeNode ResultTreeWidget::NodeOf(const QTreeWidgetItem* item) {
    if (item == nullptr) {
        return {};
    }
    return {static_cast<Kind>(item->data(0, kKindRole).toInt()),
            fs::path(item->data(0, kPathRole).toString().toStdString())};
}

const QIcon& ResultTreeWidget::Picture(const QString& name) {
    auto it = pictures_.find(name);
    if (it == pictures_.end()) {
        it = pictures_.insert(name, QIcon(QStringLiteral(":/pictures/%1.svg").arg(name)));
    }
    return *it;
}

const QIcon& ResultTreeWidget::PictureOf(Kind kind, FilePicture picture, bool open) {
    QString name;
    switch (kind) {
        case Kind::Root:
            name = QStringLiteral("tree_root");
            break;
        case Kind::TopFolder:
        case Kind::Folder:
        case Kind::Placeholder:
            name = open ? QStringLiteral("tree_folder_open") : QStringLiteral("tree_folder");
            break;
        case Kind::ResultFile:
        case Kind::Unreadable:
            switch (picture) {
                case FilePicture::Valid:
                    name = QStringLiteral("tree_file_valid");
                    break;
                case FilePicture::Protected:
                    name = QStringLiteral("tree_file_protected");
                    break;
                case FilePicture::Newer:
                    name = QStringLiteral("tree_file_newer");
                    break;
                case FilePicture::Unreadable:
                    name = QStringLiteral("tree_file_unreadable");
                    break;
            }
            break;
    }
    return Picture(name);
}

void ResultTreeWidget::AddPlaceholder(QTreeWidgetItem* parent) {
    auto* item = MakeItem({}, Kind::Placeholder, {});
    item->setIcon(0, PictureOf(Kind::Placeholder, FilePicture::Valid, false));
    parent->addChild(item);
}

void ResultTreeWidget::RemoveChildren(QTreeWidgetItem* item) {
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    qDeleteAll(children);
}

QTreeWidgetItem* ResultTreeWidget::MakeEntry(const files::ResultFolderEntry& entry) {
    const QString text = QString::fromStdString(entry.text);
    if (entry.isFolder) {
        auto* item = MakeItem(text, Kind::Folder, entry.path);
        item->setIcon(0, PictureOf(Kind::Folder, FilePicture::Valid, false));
        if (entry.hasEntries) {
            AddPlaceholder(item);
        }
        return item;
    }
    auto* item = MakeItem(text, ResultTreeRules::KindOf(entry.picture), entry.path, entry.picture);
    item->setIcon(0, PictureOf(Kind::ResultFile, entry.picture, false));
    return item;
}

void ResultTreeWidget::SetFilePicture(QTreeWidgetItem* item, FilePicture picture) {
    item->setData(0, kKindRole, static_cast<int>(ResultTreeRules::KindOf(picture)));
    item->setData(0, kPictureRole, static_cast<int>(picture));
    item->setIcon(0, PictureOf(Kind::ResultFile, picture, false));
}

void ResultTreeWidget::Expanded(QTreeWidgetItem* item) {
    const TreeNode node = NodeOf(item);
    if (!node.IsFolder()) {
        return;
    }
    // Rebuilding must not collapse what the person expands: no signals while children change.
    const QSignalBlocker blocker(this);
    RemoveChildren(item);
    // One insertion for all: the view lays out once, not once per file.
    QList<QTreeWidgetItem*> children;
    for (const files::ResultFolderEntry& entry : ResultFolder::List(node.path)) {
        children.append(MakeEntry(entry));
    }
    item->addChildren(children);
    if (node.kind == Kind::Folder) {
        item->setIcon(0, PictureOf(Kind::Folder, FilePicture::Valid, item->childCount() > 0));
    }
}

void ResultTreeWidget::Collapsed(QTreeWidgetItem* item) {
    const TreeNode node = NodeOf(item);
    const QSignalBlocker blocker(this);
    if (node.kind == Kind::Root) {
        for (int i = 0; i < item->childCount(); ++i) {
            if (item->child(i)->childCount() == 0) {
                AddPlaceholder(item->child(i));
            }
            item->child(i)->setExpanded(false);
        }
        return;
    }
    if (!node.IsFolder()) {
        return;
    }
    RemoveChildren(item);
    if (ResultFolder::HasEntries(node.path)) {
        AddPlaceholder(item);
    }
    if (node.kind == Kind::Folder) {
        item->setIcon(0, PictureOf(Kind::Folder, FilePicture::Valid, false));
    }
}

void ResultTreeWidget::Reread(QTreeWidgetItem* folder) {
    if (folder->isExpanded()) {
        Expanded(folder);
    } else {
        folder->setExpanded(true);
    }
}

QTreeWidgetItem* ResultTreeWidget::Reveal(const fs::path& path) {
    QTreeWidgetItem* item = Root();
    const std::string wanted = path.lexically_normal().string();
    for (bool found = true; found;) {
        found = false;
        if (NodeOf(item).path.lexically_normal().string() == wanted) {
            return item;
        }
        item->setExpanded(true);
        for (int i = 0; i < item->childCount(); ++i) {
            const fs::path childPath = NodeOf(item->child(i)).path;
            if (!childPath.empty() && (childPath == path || ResultFolder::Holds(childPath, path))) {
                item = item->child(i);
                found = true;
                break;
            }
        }
    }
    return nullptr;
}

void ResultTreeWidget::keyPressEvent(QKeyEvent* event) {
    const bool menuKey = event->key() == Qt::Key_Menu ||
                         (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    QTreeWidgetItem* item = currentItem();
    if (!menuKey || item == nullptr) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    scrollToItem(item);
    Q_EMIT customContextMenuRequested(visualItemRect(item).center());
}

void ResultTreeWidget::startDrag(Qt::DropActions supportedActions) {
    QTreeWidgetItem* item = currentItem();
    if (item == nullptr || !mayDrag || !mayDrag(NodeOf(item))) {
        return;
    }
    dragged_ = item;
    QTreeWidget::startDrag(supportedActions);
    dragged_ = nullptr;
}

QTreeWidgetItem* ResultTreeWidget::DropTarget(const QPoint& position) const {
    QTreeWidgetItem* target = itemAt(position);
    if (dragged_ == nullptr || target == nullptr ||
        !ResultTreeRules::MayPaste(NodeOf(dragged_), NodeOf(target))) {
        return nullptr;
    }
    return target;
}

void ResultTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && dragged_ != nullptr) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ResultTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    QTreeWidget::dragMoveEvent(event);
    // The cursor tells whether the node under it takes the dragged one.
    if (DropTarget(event->position().toPoint()) != nullptr) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ResultTreeWidget::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = DropTarget(event->position().toPoint());
    // The pane copies or moves; the view must not move the item itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (target != nullptr && dropped) {
        setCurrentItem(target);
        dropped(dragged_, target);
    }
}

}  // namespace quexa::ui
