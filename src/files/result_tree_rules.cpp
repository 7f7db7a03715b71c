#include "files/result_tree_rules.h"

#include "core/text.h"

namespace quexa::files {

namespace fs = std::filesystem;

namespace {

bool IsFileNode(const TreeNode& node) {
    return node.kind == TreeNode::Kind::ResultFile || node.kind == TreeNode::Kind::Unreadable;
}

}  // namespace

bool ResultTreeRules::Enabled(TreeEntry entry, const TreeNode& node, const std::string& currentFile,
                              const std::optional<TreeClip>& clip) {
    switch (entry) {
        case TreeEntry::NewFolder:
        case TreeEntry::Import:
        case TreeEntry::Download:
            return node.IsFolder();
        case TreeEntry::Copy:
            return node.kind == TreeNode::Kind::Folder || IsFileNode(node);
        case TreeEntry::Paste:
            return clip.has_value() && MayPaste(clip->node, node);
        case TreeEntry::Open:
            return node.IsResultFile() && Movable(node, currentFile);
        case TreeEntry::Cut:
        case TreeEntry::Delete:
        case TreeEntry::Rename:
            return Movable(node, currentFile);
        case TreeEntry::ChangePassword:
        case TreeEntry::Property:
            return node.IsResultFile();
    }
    return false;
}

bool ResultTreeRules::Movable(const TreeNode& node, const std::string& currentFile) {
    if (node.kind != TreeNode::Kind::Folder && !IsFileNode(node)) {
        return false;
    }
    return currentFile.empty() || !ResultFolder::Holds(node.path, currentFile);
}

bool ResultTreeRules::MayPaste(const TreeNode& source, const TreeNode& target) {
    if (!target.IsFolder() || source.path.empty()) {
        return false;
    }
    if (IsFileNode(source)) {
        return !ResultFolder::HasChild(target.path, ResultFolder::TextOf(source.path, true), true);
    }
    if (source.kind != TreeNode::Kind::Folder) {
        return false;
    }
    return !ResultFolder::HasChild(target.path, source.path.filename().string(), false) &&
           !ResultFolder::Holds(source.path, target.path);
}

std::string ResultTreeRules::DisplayPath(const TreeNode& node, const fs::path& dataFolder) {
    if (node.kind == TreeNode::Kind::Root) {
        return std::string(kRootText) + "/";
    }
    for (const TopFolder& top : kTopFolders) {
        const fs::path folder = dataFolder / top.folder;
        if (!ResultFolder::Holds(folder, node.path)) {
            continue;
        }
        const std::string full = node.path.lexically_normal().string();
        const std::string base = folder.lexically_normal().string();
        return std::string(top.text) + full.substr(std::min(base.size(), full.size()));
    }
    return {};
}

TreeNode::Kind ResultTreeRules::KindOf(FilePicture picture) {
    return picture == FilePicture::Unreadable ? TreeNode::Kind::Unreadable
                                              : TreeNode::Kind::ResultFile;
}

}  // namespace quexa::files
