#include "file_tree.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quexa::bench {

namespace fs = std::filesystem;

namespace {

const char* const kTails[FileTree::kFilesEach] = {".txt", ".md", ".c",    ".TXT",     ".log",
                                                  ".h",   ".Md", ".json", ".txt.bak", ""};

}  // namespace

const FileTree& FileTree::Shared() {
    static const FileTree tree;
    return tree;
}

FileTree::FileTree() {
    root_ = fs::temp_directory_path() / ("quexa-bench-tree-" + std::to_string(getpid()));
    for (int top = 0; top < kTopFolders; ++top) {
        for (int folder = 0; folder < kFoldersEach; ++folder) {
            const fs::path dir =
                root_ / ("t" + std::to_string(top)) / ("f" + std::to_string(folder));
            fs::create_directories(dir);
            for (int file = 0; file < kFilesEach; ++file) {
                const std::string name = "file" + std::to_string(file) + kTails[file];
                close(open((dir / name).c_str(), O_CREAT | O_WRONLY, 0644));
            }
        }
    }
    // The first reading of a new folder writes its access time: let no contender pay it.
    const std::string warm = "find '" + root_.string() + "' > /dev/null";
    if (std::system(warm.c_str()) != 0) {
        std::fprintf(stderr, "warning: the tree could not be read once\n");
    }
}

FileTree::~FileTree() {
    std::error_code error;
    fs::remove_all(root_, error);
}

}  // namespace quexa::bench
