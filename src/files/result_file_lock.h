#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace quexa::files {

// Keeps two programs from changing one result file at once: every read-modify-write (a save
// that keeps the file's password, an import into it, a password change, a verification saved
// back) holds it from the read to the write.
//
// The lock is an flock on a lock file beside the result file, not on the result file itself:
// a save renames a new file over the old one, and a lock on the old file's inode would let a
// second program lock the new file while the first still works. The lock file is removed when
// released; a waiter that finds its lock file gone or replaced tries again, so two holders can
// never lock different inodes. Where no lock file can be made (a folder that takes no new
// file, a name too long for one) the result file itself is locked and checked the same way.
//
// Within one program the lock is shared: a holder that takes it again nests.
class ResultFileLock {
  public:
    enum class Outcome { Held, Busy, Failed };

    static constexpr std::chrono::milliseconds kPatience{3000};
    static constexpr std::string_view kBusyMessage =
        "Another Quexa is changing this file.\nTry again when it has finished.";
    static constexpr std::string_view kFailedMessage =
        "This file can't be locked against other Quexa programs:\nits lock file can't be made.";

    explicit ResultFileLock(const std::filesystem::path& target,
                            std::chrono::milliseconds patience = kPatience);
    ~ResultFileLock();
    ResultFileLock(const ResultFileLock&) = delete;
    ResultFileLock& operator=(const ResultFileLock&) = delete;

    Outcome outcome() const { return outcome_; }
    bool held() const { return outcome_ == Outcome::Held; }
    // Why the lock is not held, for a person.
    std::string Problem() const;

    // The lock file of a result file: a hidden file beside it.
    static std::filesystem::path LockPathFor(const std::filesystem::path& target);

  private:
    std::filesystem::path key_;
    Outcome outcome_ = Outcome::Failed;
};

}  // namespace quexa::files
