#include "files/folder_lister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <deque>
#include <thread>
#include <utility>

#include "core/hand_off_queue.h"

namespace quexa::files {
namespace {

constexpr std::size_t kListingBuffer = 32 * 1024;

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A real folder: a symbolic link to one counts as a file here.
bool IsFolder(int fd, const dirent64& entry) {
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type == DT_DIR;
    }
    struct stat info {};
    return fstatat(fd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

struct FolderLister::State {
    // Listings, and so open descriptors, waiting for the caller.
    static constexpr std::size_t kAhead = 64;

    std::optional<PatternList> describe;
    core::HandOffQueue<Listing> ready{kAhead};
};

FolderLister::Listing::~Listing() {
    Close();
}

FolderLister::Listing::Listing(Listing&& other) noexcept
    : path(std::move(other.path)),
      skipped(other.skipped),
      listed(other.listed),
      entries(std::move(other.entries)),
      fd_(std::exchange(other.fd_, -1)) {}

FolderLister::Listing& FolderLister::Listing::operator=(Listing&& other) noexcept {
    if (this != &other) {
        Close();
        path = std::move(other.path);
        skipped = other.skipped;
        listed = other.listed;
        entries = std::move(other.entries);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::string FolderLister::JoinPath(const std::string& folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + name.size() + 1);
    path += folder;
    if (!folder.ends_with('/')) {
        path += '/';
    }
    path += name;
    return path;
}

void FolderLister::Listing::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

FolderLister::FolderLister(std::string top, const PatternList* describe)
    : state_(std::make_shared<State>()) {
    if (describe != nullptr) {
        state_->describe = *describe;
    }
    std::thread([state = state_, top = std::move(top)] {
        Visit(*state, top, true);
        state->ready.Finish();
    }).detach();
}

FolderLister::~FolderLister() {
    // What waits here is closed now; whatever the reader still holds it closes itself.
    const std::deque<Listing> left = state_->ready.Stop();
    state_->ready.WaitFinished(kStopWait);
}

FolderLister::Listing FolderLister::Next() {
    std::optional<Listing> listing = state_->ready.Pop();
    if (!listing) {
        Listing none;
        none.skipped = true;
        return none;
    }
    return std::move(*listing);
}

// The same walk the caller replays: one listing per folder, then the subfolders in listing
// order.
void FolderLister::Visit(State& state, const std::string& folder, bool followLink) {
    Listing listing;
    listing.path = folder;
    if (folder.empty() || folder.size() > kPathLimit) {
        listing.skipped = true;
        state.ready.Push(std::move(listing));
        return;
    }
    listing.listed = Read(folder, followLink, listing);
    Describe(state, listing);
    std::vector<std::string> subfolders;
    for (const Entry& entry : listing.entries) {
        if (entry.folder) {
            subfolders.push_back(JoinPath(folder, entry.name));
        }
    }
    if (!state.ready.Push(std::move(listing))) {
        return;
    }
    for (const std::string& subfolder : subfolders) {
        Visit(state, subfolder, false);
        if (state.ready.Stopped()) {
            return;
        }
    }
}

// Describing costs a system call per found file. Done here only while this thread is well
// ahead of the caller; otherwise the caller describes, so that both threads stay busy.
void FolderLister::Describe(State& state, Listing& listing) {
    if (!state.describe || listing.fd_ < 0) {
        return;
    }
    if (state.ready.Size() < State::kAhead / 2) {
        return;
    }
    for (Entry& entry : listing.entries) {
        for (const WildcardPattern& pattern : *state.describe) {
            if (pattern.Matches(entry.name)) {
                entry.description = FileDescription::Read(listing.fd_, entry.name.c_str());
                break;
            }
        }
    }
}

bool FolderLister::Read(const std::string& folder, bool followLink, Listing& listing) {
    // A folder seen as a real one may have been swapped for a link since it was listed.
    const int fd =
        open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        return false;
    }
    listing.fd_ = fd;
    // The entries straight from the kernel: a directory stream would cost three more system
    // calls per folder, which is most of the walk's time in a large tree.
    alignas(dirent64) char buffer[kListingBuffer];
    for (;;) {
        const long got = syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            // What was read before a failure still counts.
            if (listing.entries.empty()) {
                listing.Close();
                return false;
            }
            return true;
        }
        for (long at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (!IsDotEntry(entry->d_name)) {
                listing.entries.push_back({entry->d_name, IsFolder(fd, *entry), std::nullopt});
            }
        }
    }
}

}  // namespace quexa::files
