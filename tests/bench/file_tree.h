#pragma once

#include <filesystem>

namespace quexa::bench {

// A generated tree of 200,000 empty files in 20,000 folders, made once per run and removed at
// exit, for the Intranet search benchmarks: ten names a folder, four of them matching
// "*.txt;*.md" in some letter case, near misses among the rest.
class FileTree {
  public:
    static constexpr int kTopFolders = 20;
    static constexpr int kFoldersEach = 1000;
    static constexpr int kFilesEach = 10;
    static constexpr int kFiles = kTopFolders * kFoldersEach * kFilesEach;
    static constexpr int kFolders = kTopFolders * (kFoldersEach + 1);
    static constexpr const char* kPatterns = "*.txt;*.md";

    static const FileTree& Shared();
    const std::filesystem::path& Root() const { return root_; }

  private:
    FileTree();
    ~FileTree();

    std::filesystem::path root_;
};

}  // namespace quexa::bench
