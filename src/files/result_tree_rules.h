#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "files/result_folder.h"

namespace quexa::files {

// What a node of the file manager's tree is, and where on disk.
struct TreeNode {
    enum class Kind { Root, TopFolder, Folder, ResultFile, Unreadable, Placeholder };

    Kind kind = Kind::Root;
    // Empty for the root and a placeholder.
    std::filesystem::path path;

    bool IsFolder() const { return kind == Kind::TopFolder || kind == Kind::Folder; }
    // A newer version's file counts: it can still be renamed, copied and deleted.
    bool IsResultFile() const { return kind == Kind::ResultFile; }
};

// The entries of the tree's context menus.
enum class TreeEntry {
    NewFolder,
    Open,
    Copy,
    Cut,
    Paste,
    Delete,
    Rename,
    Import,
    Download,
    ChangePassword,
    Property,
};

// The pane's clipboard: one node, copied or cut.
struct TreeClip {
    TreeNode node;
    bool cut = false;
};

// Which commands the tree allows on a node.
class ResultTreeRules {
  public:
    // currentFile is the result view's file, empty for an untitled list.
    static bool Enabled(TreeEntry entry, const TreeNode& node, const std::string& currentFile,
                        const std::optional<TreeClip>& clip);
    // The node may be moved, renamed, deleted or opened: neither the root nor a top folder, nor
    // the current file or a folder holding it.
    static bool Movable(const TreeNode& node, const std::string& currentFile);
    // A file or folder may go into target: a folder, with no child of that name yet, and a
    // folder never into itself or one of its own sub-folders.
    static bool MayPaste(const TreeNode& source, const TreeNode& target);
    // Shown in the New Folder dialog: the top folder's text and the rest of the path.
    static std::string DisplayPath(const TreeNode& node, const std::filesystem::path& dataFolder);
    // The three top folders below the data folder, with their texts.
    struct TopFolder {
        std::string_view text;
        std::string_view folder;
    };
    static constexpr TopFolder kTopFolders[] = {{"Internet Search", "Data/Internet"},
                                                {"Intranet Search", "Data/Intranet"},
                                                {"My Favorite", "Data/MyFav"}};
    static constexpr std::string_view kRootText = "Quexa Root";
    static TreeNode::Kind KindOf(FilePicture picture);
};

}  // namespace quexa::files
