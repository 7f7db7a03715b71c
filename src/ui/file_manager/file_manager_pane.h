#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "core/prompter.h"
#include "core/wait_state.h"
#include "files/result_tree_rules.h"
#include "tasks/task_state.h"
#include "tasks/trash.h"

class QMenu;
class QTreeWidgetItem;

namespace quexa::ui {

class ResultTreeWidget;

// What the file manager works with; every reference outlives the pane.
struct FileManagerContext {
    // Data/Internet, Data/Intranet and Data/MyFav lie below it.
    std::filesystem::path dataFolder;
    core::Prompter& prompter;
    tasks::Trash& trash;
    // The current file and whether a task runs.
    const tasks::TaskState& state;
    // The view opens the chosen file: the result document's RequestOpen, then its open.
    std::function<void(const std::string& path)> openChosen;
    // A file's header or the current file changed: the fast information bar reads it again.
    std::function<void()> fileChanged;
    core::WaitState* wait = nullptr;
    std::function<void()> processPending;
};

// The result file manager in the left bar: the tree of result files with its context menus,
// and the commands that open, import, copy, move, rename, delete, protect and describe them.
class FileManagerPane : public QWidget {
    Q_OBJECT

  public:
    static constexpr std::string_view kTaskRunning =
        "  The search task is running, please\nstop task first, and try again!";
    static constexpr std::string_view kFolderExists = "Folder is existed!";
    static constexpr std::string_view kCannotCreateFolder = "Canno't create folder!";

    explicit FileManagerPane(FileManagerContext context, QWidget* parent = nullptr);
    ~FileManagerPane() override;

    ResultTreeWidget& Tree() const { return *tree_; }
    // The context menu of a node, its entries enabled by the tree's rules; null for the root.
    std::unique_ptr<QMenu> MenuFor(const QTreeWidgetItem* item);
    // Runs a command on the current node when its rule allows it.
    void Run(files::TreeEntry entry);
    // A node dropped on a folder: "Copy Here" or "Move Here".
    void Transfer(QTreeWidgetItem* source, QTreeWidgetItem* target, bool move);
    const std::optional<files::TreeClip>& Clip() const { return clip_; }

  private:
    void ShowMenu(const QPoint& position);
    bool RefusedWhileRunning();
    void NewFolder(QTreeWidgetItem* item);
    void Open(QTreeWidgetItem* item);
    void Rename(QTreeWidgetItem* item);
    void Delete(QTreeWidgetItem* item);
    void ChangePassword(QTreeWidgetItem* item);
    void Import(QTreeWidgetItem* item);
    void Paste(QTreeWidgetItem* item);
    void Property(QTreeWidgetItem* item);
    void Dropped(QTreeWidgetItem* source, QTreeWidgetItem* target);
    std::optional<std::string> AskName(const QString& caption, const QString& label,
                                       const QString& oldText, bool mustDiffer);
    // The node of a path now in the tree, if it is shown.
    QTreeWidgetItem* ItemOf(const std::filesystem::path& path) const;
    void Tell(std::string_view text, core::Prompter::Title title = core::Prompter::Title::Error);

    FileManagerContext context_;
    ResultTreeWidget* tree_;
    std::optional<files::TreeClip> clip_;
};

}  // namespace quexa::ui
