#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/mount_table.h"
#include "files/pattern_list.h"

namespace quexa::files {

// Walks a folder and, depth first, every folder below it for names matching a pattern list.
// Within one folder the matches of the first pattern come first, then those of the next, then
// the subfolders in listing order. Each folder is read once whatever the number of patterns;
// symbolic links to folders are never followed.
class FolderSearch {
  public:
    // A folder path longer than this is skipped with everything below it.
    static constexpr std::size_t kPathLimit = 4096;

    struct Match {
        // The folder as searched (normalised) and the entry's name in it.
        std::string_view folder;
        std::string_view name;
        // folder + "/" + name.
        std::string_view location;
        // The open folder, for describing the entry without resolving its path again.
        int folderFd = -1;
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

    // Neither is owned; both must outlive the search.
    FolderSearch(const PatternList& patterns, const MountTable& mounts, Listener& listener);

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
    struct Entry {
        std::string name;
        bool folder = false;
    };

    // A target given as a link to a folder is searched; links met below it are not followed.
    void Walk(const std::string& folder, bool followLink);
    bool KeepGoing();
    // False when the folder can't be listed.
    bool ReadFolder(const std::string& folder, bool followLink, int& fd,
                    std::vector<Entry>& entries) const;
    void ReportMatches(const std::string& folder, int fd, const std::vector<Entry>& entries);
    static std::string Join(const std::string& folder, std::string_view name);

    const PatternList& patterns_;
    const MountTable& mounts_;
    Listener& listener_;
    bool stopped_ = false;
    std::string location_;
};

}  // namespace quexa::files
