#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/folder_lister.h"
#include "files/mount_table.h"
#include "files/pattern_list.h"

namespace quexa::files {

// Walks a folder and, depth first, every folder below it for names matching a pattern list.
// Within one folder the matches of the first pattern come first, then those of the next, then
// the subfolders in listing order. Each folder is read once whatever the number of patterns;
// symbolic links to folders are never followed. The folders are read on a thread of their own
// just ahead of the caller's work on them.
class FolderSearch {
  public:
    // A folder path longer than this is skipped with everything below it.
    static constexpr std::size_t kPathLimit = FolderLister::kPathLimit;

    struct Match {
        // The folder as searched (normalised) and the entry's name in it.
        std::string_view folder;
        std::string_view name;
        // folder + "/" + name.
        std::string_view location;
        // The open folder, for describing the entry without resolving its path again.
        int folderFd = -1;
        // The entry described ahead, or null: the search was not asked to, or had no time.
        const FileDescription* description = nullptr;
    };

    // What the search reports to and asks of its caller.
    class Listener {
      public:
        virtual ~Listener() = default;
        // Called before every directory entry; false ends the whole search there.
        virtual bool KeepGoing() = 0;
        virtual void EnterFolder(std::string_view folder) = 0;
        // Every entry that a pattern matched, once per matching pattern.
        virtual void Found(const Match& match) = 0;
    };

    // Neither is owned; both must outlive the search. With describe, matches may come
    // described, read on the listing thread while it is ahead.
    FolderSearch(const PatternList& patterns, const MountTable& mounts, Listener& listener,
                 bool describe = false);

    // A target as typed: a folder, or a network share's remote name (searched through its
    // mount point, nothing found when it is not mounted).
    void SearchTarget(std::string_view target);
    // Searches one folder and everything below it.
    void SearchFolder(const std::string& folder);
    bool Stopped() const { return stopped_; }

    // Runs of separators become one, one trailing separator goes (the root stays "/"), and a
    // network path keeps its two leading separators; "\\server\share" is read as
    // "//server/share".
    static std::string NormalisePath(std::string_view path);
    static bool IsNetworkForm(std::string_view path) { return path.starts_with("//"); }

  private:
    // Makes the listener's calls for one listed folder and, as the walk went, every folder
    // below it.
    void Replay(FolderLister& lister, FolderLister::Listing listing);
    bool KeepGoing();
    void ReportMatches(const FolderLister::Listing& listing);

    const PatternList& patterns_;
    const MountTable& mounts_;
    Listener& listener_;
    const bool describe_;
    bool stopped_ = false;
    std::string location_;
};

}  // namespace quexa::files
