#include "files/folder_lister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <utility>

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
    : describe_(describe), thread_([this, top = std::move(top)] {
          Visit(top, true);
          {
              const std::lock_guard lock(mutex_);
              finished_ = true;
          }
          changed_.notify_all();
      }) {}

FolderLister::~FolderLister() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

FolderLister::Listing FolderLister::Next() {
    std::unique_lock lock(mutex_);
    callerWaiting_ = true;
    changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
    callerWaiting_ = false;
    if (ready_.empty()) {
        Listing none;
        none.skipped = true;
        return none;
    }
    Listing listing = std::move(ready_.front());
    ready_.pop_front();
    const bool wake = readerWaiting_;
    lock.unlock();
    if (wake) {
        changed_.notify_all();
    }
    return listing;
}

// The same walk the caller replays: one listing per folder, then the subfolders in listing
// order.
void FolderLister::Visit(const std::string& folder, bool followLink) {
    Listing listing;
    listing.path = folder;
    if (folder.empty() || folder.size() > kPathLimit) {
        listing.skipped = true;
        Hand(std::move(listing));
        return;
    }
    listing.listed = Read(folder, followLink, listing);
    Describe(listing);
    std::vector<std::string> subfolders;
    for (const Entry& entry : listing.entries) {
        if (entry.folder) {
            subfolders.push_back(JoinPath(folder, entry.name));
        }
    }
    if (!Hand(std::move(listing))) {
        return;
    }
    for (const std::string& subfolder : subfolders) {
        Visit(subfolder, false);
        const std::lock_guard lock(mutex_);
        if (stopped_) {
            return;
        }
    }
}

bool FolderLister::Hand(Listing listing) {
    std::unique_lock lock(mutex_);
    readerWaiting_ = true;
    changed_.wait(lock, [this] { return ready_.size() < kAhead || stopped_; });
    readerWaiting_ = false;
    if (stopped_) {
        return false;
    }
    ready_.push_back(std::move(listing));
    const bool wake = callerWaiting_;
    lock.unlock();
    if (wake) {
        changed_.notify_all();
    }
    return true;
}

// Describing costs a system call per found file. Done here only while this thread is well
// ahead of the caller; otherwise the caller describes, so that both threads stay busy.
void FolderLister::Describe(Listing& listing) {
    if (describe_ == nullptr || listing.fd_ < 0) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        if (ready_.size() < kAhead / 2) {
            return;
        }
    }
    for (Entry& entry : listing.entries) {
        for (const WildcardPattern& pattern : *describe_) {
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
