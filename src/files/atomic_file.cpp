#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#include "core/replaceable_file.h"

namespace quexa::files {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kBufferSize = 1 << 20;
constexpr mode_t kNewFileMode = 0666;
constexpr int kNameAttempts = 16;

// A symbolic link is followed so that the file it names is replaced, not the link.
fs::path ResolveTarget(const fs::path& target) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (!error) {
            return resolved;
        }
    }
    return target;
}

fs::path FolderOf(const fs::path& target) {
    const fs::path parent = target.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

std::string RandomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uniform_int_distribution<std::size_t> pick(0, kDigits.size() - 1);
    std::string suffix(8, '0');
    for (char& c : suffix) {
        c = kDigits[pick(generator)];
    }
    return suffix;
}

fs::path TempNameFor(const fs::path& target) {
    return FolderOf(target) / ("." + target.filename().string() + "." + RandomSuffix() + ".tmp");
}

bool WriteFully(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFile::AtomicFile(fs::path target) : target_(ResolveTarget(target)) {}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Begin() {
    Discard();
    failed_ = false;
    used_ = 0;
    buffer_.resize(kBufferSize);
    if (target_.filename().empty() || core::WhyNotReplaceable(target_)) {
        return false;
    }
    if (!OpenUnnamed() && !OpenNamed()) {
        return false;
    }
    KeepTargetMode();
    return true;
}

bool AtomicFile::Write(std::span<const char> bytes) {
    if (fd_ < 0 || failed_) {
        return false;
    }
    while (!bytes.empty()) {
        if (used_ == buffer_.size() && !Flush()) {
            return false;
        }
        const std::size_t room = std::min(bytes.size(), buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, bytes.data(), room);
        used_ += room;
        bytes = bytes.subspan(room);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (fd_ < 0 || failed_ || !Flush() || ::fdatasync(fd_) != 0 || !GiveName()) {
        Discard();
        return false;
    }
    if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        Discard();
        return false;
    }
    tempPath_.clear();
    ::close(fd_);
    fd_ = -1;
    SyncFolder(FolderOf(target_));
    return true;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
    used_ = 0;
}

// An unnamed file vanishes by itself when the process dies before it is given a name.
bool AtomicFile::OpenUnnamed() {
    if (::access("/proc/self/fd", X_OK) != 0) {
        return false;
    }
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode);
    unnamed_ = fd_ >= 0;
    return unnamed_;
}

bool AtomicFile::OpenNamed() {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = TempNameFor(target_);
        fd_ = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, kNewFileMode);
        if (fd_ >= 0) {
            tempPath_ = candidate;
            unnamed_ = false;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

bool AtomicFile::Flush() {
    if (used_ > 0 && !WriteFully(fd_, buffer_.data(), used_)) {
        failed_ = true;
    }
    used_ = 0;
    return !failed_;
}

// The unnamed file gets a temporary name of its own first: a link cannot replace a file,
// a rename can.
bool AtomicFile::GiveName() {
    if (!unnamed_) {
        return true;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const fs::path candidate = TempNameFor(target_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempPath_ = candidate;
            return true;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    return false;
}

// A replaced file keeps its permissions, made writable for its owner as opening a read-only
// result file always did.
void AtomicFile::KeepTargetMode() {
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ::fchmod(fd_, (existing.st_mode & 07777) | S_IWUSR);
    }
}

}  // namespace quexa::files
