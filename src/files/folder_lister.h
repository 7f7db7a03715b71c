#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_description.h"
#include "files/pattern_list.h"

namespace quexa::files {

// Lists a folder and every folder below it, depth first, on a thread of its own a bounded
// number of folders ahead of the caller: the caller's work on one folder overlaps the reading
// of the next. Listings come in the order a recursive walk visits the folders, one for every
// subfolder entry of a listing before it.
class FolderLister {
  public:
    struct Entry {
        std::string name;
        bool folder = false;
        // Read ahead, when there was time, for an entry a pattern of the describe list matches.
        std::optional<FileDescription> description;
    };

    // One folder as read. Owns the folder's open descriptor until it is closed or the listing
    // goes.
    class Listing {
      public:
        Listing() = default;
        ~Listing();
        Listing(Listing&& other) noexcept;
        Listing& operator=(Listing&& other) noexcept;
        Listing(const Listing&) = delete;
        Listing& operator=(const Listing&) = delete;

        // For describing entries without resolving the folder's path again; -1 once closed.
        int Fd() const { return fd_; }
        void Close();

        std::string path;
        // Beyond the path limit or empty: not entered at all.
        bool skipped = false;
        // False when the folder could not be opened or read.
        bool listed = false;
        std::vector<Entry> entries;

      private:
        friend class FolderLister;
        int fd_ = -1;
    };

    // A folder path longer than this is skipped with everything below it.
    static constexpr std::size_t kPathLimit = 4096;
    // How long going away waits for the reading thread before leaving it behind.
    static constexpr std::chrono::milliseconds kStopWait{100};

    // The top folder may be a link to a folder; links met below it are not followed. With a
    // describe list, the entries it matches may also be described on the reading thread, when
    // it has time to spare.
    explicit FolderLister(std::string top, const PatternList* describe = nullptr);
    // Stops the reading thread; listings not taken are closed. A thread stuck in the system
    // (a share that stopped answering) is left to end by itself: a stop must not hang on it.
    ~FolderLister();
    FolderLister(const FolderLister&) = delete;
    FolderLister& operator=(const FolderLister&) = delete;

    // The next listing in walk order. A caller asking for more listings than the walk has
    // gets skipped ones.
    Listing Next();

    // folder + "/" + name, without doubling a trailing separator of the folder.
    static std::string JoinPath(const std::string& folder, std::string_view name);

  private:
    // Everything the reading thread touches, kept alive by that thread as long as it runs.
    struct State;

    static void Visit(State& state, const std::string& folder, bool followLink);
    static void Describe(State& state, Listing& listing);
    static bool Read(const std::string& folder, bool followLink, Listing& listing);

    std::shared_ptr<State> state_;
};

}  // namespace quexa::files
