#pragma once

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

#include <filesystem>
#include <functional>

#include "files/result_tree_rules.h"

namespace quexa::ui {

// The tree of result files: the root, the three top folders, their folders and result files
// with their pictures. A folder is read from disk each time it is expanded; until then it
// carries one empty placeholder so that it shows an expand button.
class ResultTreeWidget : public QTreeWidget {
    Q_OBJECT

  public:
    static constexpr int kKindRole = Qt::UserRole;
    static constexpr int kPathRole = Qt::UserRole + 1;
    static constexpr int kPictureRole = Qt::UserRole + 2;

    explicit ResultTreeWidget(std::filesystem::path dataFolder, QWidget* parent = nullptr);

    static files::TreeNode NodeOf(const QTreeWidgetItem* item);
    files::TreeNode CurrentNode() const { return NodeOf(currentItem()); }
    QTreeWidgetItem* Root() const { return topLevelItem(0); }
    // The node of a path below a top folder, expanding the folders on the way (a folder already
    // expanded is not read again); null when the path is not in the tree.
    QTreeWidgetItem* Reveal(const std::filesystem::path& path);
    // Reads the folder of a node again, and shows it expanded.
    void Reread(QTreeWidgetItem* folder);
    // A result file's picture changed on disk.
    void SetFilePicture(QTreeWidgetItem* item, files::FilePicture picture);
    const std::filesystem::path& DataFolder() const { return dataFolder_; }

    // Drag and drop: whether the dragged node may start, and what a drop over a node asks.
    std::function<bool(const files::TreeNode&)> mayDrag;
    std::function<void(QTreeWidgetItem* source, QTreeWidgetItem* target)> dropped;

    const QIcon& PictureOf(files::TreeNode::Kind kind, files::FilePicture picture, bool open);

  protected:
    // The Menu key and Shift+F10 open the context menu at the current node.
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Build();
    void Expanded(QTreeWidgetItem* item);
    void Collapsed(QTreeWidgetItem* item);
    QTreeWidgetItem* MakeEntry(const files::ResultFolderEntry& entry);
    void AddPlaceholder(QTreeWidgetItem* parent);
    // Each picture is loaded once for the whole tree.
    const QIcon& Picture(const QString& name);
    static void RemoveChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* DropTarget(const QPoint& position) const;

    std::filesystem::path dataFolder_;
    QTreeWidgetItem* dragged_ = nullptr;
    QHash<QString, QIcon> pictures_;
};

}  // namespace quexa::ui
