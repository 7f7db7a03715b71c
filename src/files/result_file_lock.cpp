#include "files/result_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

namespace quexa::files {
namespace fs = std::filesystem;
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kRetryInterval{20};

struct HeldLock {
    int fd = -1;
    fs::path file;
    bool removeOnRelease = false;
    int holders = 0;
};

// The locks this program holds, by resolved result file path.
std::mutex& RegistryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, HeldLock>& Registry() {
    static std::map<std::string, HeldLock> registry;
    return registry;
}

// Links are followed as a save follows them, so every name of a file takes one lock.
fs::path Resolved(const fs::path& target) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(target, error);
    return error ? target : resolved;
}

enum class Attempt { Locked, Busy, Stale, CannotOpen };

// One try at locking file. Stale: it was removed or replaced between the open and the lock, so
// its lock protects nothing.
Attempt TryLock(const fs::path& file, bool create, int& fd, int& openError) {
    // Non-blocking so that a FIFO in the file's place can't hang the open.
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (create ? O_CREAT : 0);
    const int opened = ::open(file.c_str(), flags, 0666);
    if (opened < 0) {
        openError = errno;
        return Attempt::CannotOpen;
    }
    if (::flock(opened, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(opened);
        openError = error;
        return error == EWOULDBLOCK ? Attempt::Busy : Attempt::CannotOpen;
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(opened, &held) != 0 || ::lstat(file.c_str(), &named) != 0 ||
        held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
        ::close(opened);
        return Attempt::Stale;
    }
    fd = opened;
    return Attempt::Locked;
}

// A folder that takes no new file, or a name with no room for the lock file's.
bool NoLockFilePossible(int error) {
    return error == EACCES || error == EPERM || error == EROFS || error == ENAMETOOLONG;
}

bool NoFileThere(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG;
}

ResultFileLock::Outcome Acquire(const fs::path& target, std::chrono::milliseconds patience,
                                HeldLock& lock) {
    const Clock::time_point deadline = Clock::now() + patience;
    const fs::path lockFile = ResultFileLock::LockPathFor(target);
    for (;;) {
        int openError = 0;
        lock.file = lockFile;
        lock.removeOnRelease = true;
        Attempt attempt = TryLock(lockFile, true, lock.fd, openError);
        if (attempt == Attempt::CannotOpen && NoLockFilePossible(openError)) {
            lock.file = target;
            lock.removeOnRelease = false;
            attempt = TryLock(target, false, lock.fd, openError);
        }
        switch (attempt) {
            case Attempt::Locked:
                return ResultFileLock::Outcome::Held;
            case Attempt::Stale:
                continue;
            case Attempt::CannotOpen:
                // No folder, or no file and no room for a lock file: there is nothing another
                // program could be changing, and the write reports its own failure.
                return NoFileThere(openError) ? ResultFileLock::Outcome::Held
                                              : ResultFileLock::Outcome::Failed;
            case Attempt::Busy:
                break;
        }
        if (Clock::now() >= deadline) {
            return ResultFileLock::Outcome::Busy;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

}  // namespace

ResultFileLock::ResultFileLock(const fs::path& target, std::chrono::milliseconds patience)
    : key_(Resolved(target)) {
    {
        const std::lock_guard guard(RegistryMutex());
        const auto found = Registry().find(key_.string());
        if (found != Registry().end()) {
            ++found->second.holders;
            outcome_ = Outcome::Held;
            return;
        }
    }
    HeldLock lock;
    outcome_ = Acquire(key_, patience, lock);
    if (outcome_ != Outcome::Held) {
        return;
    }
    const std::lock_guard guard(RegistryMutex());
    auto [entry, inserted] = Registry().try_emplace(key_.string(), lock);
    if (!inserted && lock.fd >= 0) {
        // Another thread of this program took it meanwhile: share that one.
        ::close(lock.fd);
    }
    ++entry->second.holders;
}

ResultFileLock::~ResultFileLock() {
    if (!held()) {
        return;
    }
    const std::lock_guard guard(RegistryMutex());
    const auto found = Registry().find(key_.string());
    if (found == Registry().end() || --found->second.holders > 0) {
        return;
    }
    const HeldLock& lock = found->second;
    if (lock.fd >= 0) {
        // Removed while still locked: a waiter that then gets the old file sees it is gone.
        if (lock.removeOnRelease) {
            ::unlink(lock.file.c_str());
        }
        ::close(lock.fd);
    }
    Registry().erase(found);
}

std::string ResultFileLock::Problem() const {
    switch (outcome_) {
        case Outcome::Held:
            return {};
        case Outcome::Busy:
            return std::string(kBusyMessage);
        case Outcome::Failed:
            return std::string(kFailedMessage);
    }
    return {};
}

fs::path ResultFileLock::LockPathFor(const fs::path& target) {
    const fs::path folder = target.parent_path();
    return (folder.empty() ? fs::path(".") : folder) / ("." + target.filename().string() + ".lock");
}

}  // namespace quexa::files
