#include "files/folder_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

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

FolderSearch::FolderSearch(const PatternList& patterns, const MountTable& mounts,
                           Listener& listener)
    : patterns_(patterns), mounts_(mounts), listener_(listener) {}

void FolderSearch::SearchTarget(std::string_view target) {
    std::string folder = NormalisePath(target);
    if (const std::optional<std::string> local = mounts_.LocalPathOf(folder)) {
        folder = NormalisePath(*local);
    } else if (IsNetworkForm(folder)) {
        return;
    }
    SearchFolder(folder);
}

void FolderSearch::SearchFolder(const std::string& folder) {
    Walk(folder, true);
}

void FolderSearch::Walk(const std::string& folder, bool followLink) {
    if (stopped_ || folder.empty() || folder.size() > kPathLimit) {
        return;
    }
    listener_.EnterFolder(folder);
    int fd = -1;
    std::vector<Entry> entries;
    if (!ReadFolder(folder, followLink, fd, entries)) {
        return;
    }
    ReportMatches(folder, fd, entries);
    // Closed before going down, so that deep trees never run out of descriptors.
    close(fd);
    if (stopped_) {
        return;
    }
    for (const Entry& entry : entries) {
        if (!KeepGoing()) {
            return;
        }
        if (entry.folder) {
            Walk(Join(folder, entry.name), false);
        }
    }
}

std::string FolderSearch::NormalisePath(std::string_view path) {
    std::string text(path);
    if (text.starts_with("\\\\")) {
        std::replace(text.begin(), text.end(), '\\', '/');
    }
    const bool network = IsNetworkForm(text);
    std::string out;
    out.reserve(text.size() + 1);
    for (const char c : text) {
        if (c != '/' || out.empty() || out.back() != '/') {
            out += c;
        }
    }
    if (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    if (network) {
        out.insert(out.begin(), '/');
    }
    return out;
}

bool FolderSearch::KeepGoing() {
    if (!stopped_ && !listener_.KeepGoing()) {
        stopped_ = true;
    }
    return !stopped_;
}

bool FolderSearch::ReadFolder(const std::string& folder, bool followLink, int& fd,
                              std::vector<Entry>& entries) const {
    // A folder seen as a real one may have been swapped for a link since it was listed.
    fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        return false;
    }
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
            if (entries.empty()) {
                close(fd);
                return false;
            }
            return true;
        }
        for (long at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (!IsDotEntry(entry->d_name)) {
                entries.push_back({entry->d_name, IsFolder(fd, *entry)});
            }
        }
    }
}

void FolderSearch::ReportMatches(const std::string& folder, int fd,
                                 const std::vector<Entry>& entries) {
    for (const WildcardPattern& pattern : patterns_) {
        for (const Entry& entry : entries) {
            if (!pattern.Matches(entry.name)) {
                continue;
            }
            if (!KeepGoing()) {
                return;
            }
            location_ = Join(folder, entry.name);
            listener_.Found({folder, entry.name, location_, fd});
        }
    }
}

std::string FolderSearch::Join(const std::string& folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + name.size() + 1);
    path += folder;
    if (!folder.ends_with('/')) {
        path += '/';
    }
    path += name;
    return path;
}

}  // namespace quexa::files
