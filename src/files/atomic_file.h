#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

namespace quexa::files {

// A file written beside its target and put in its place only once every byte is on disk.
// Until Commit the target stays as it was; a file given up (or a process killed on the way)
// leaves no partial file behind where the system supports unnamed temporary files.
class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when no file can be made in the target's folder, or when the target is neither a
    // regular file nor missing (core::WhyNotReplaceable).
    bool Begin();
    // Buffered; false once any write has failed.
    bool Write(std::span<const char> bytes);
    // Flushes, syncs and renames over the target. False leaves the target untouched.
    bool Commit();
    // Gives the new file up; the target stays as it was.
    void Discard();

    const std::filesystem::path& Target() const { return target_; }

  private:
    bool OpenUnnamed();
    bool OpenNamed();
    bool Flush();
    bool GiveName();
    void KeepTargetMode();

    std::filesystem::path target_;
    std::filesystem::path tempPath_;
    int fd_ = -1;
    bool unnamed_ = false;
    bool failed_ = false;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

}  // namespace quexa::files
