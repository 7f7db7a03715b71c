#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string_view>
#include <vector>

#include "files/container_header.h"

namespace quexa::files {

inline constexpr std::size_t kRecordSize = 622;

using Record = std::array<char, kRecordSize>;

// A result file: the header, then fixed-size records scrambled with the default key. The
// password check value in the header only guards opening in the user interface; it never
// scrambles anything. Failures are reported by results, never by messages or exceptions.
class ProtectedContainer {
  public:
    static constexpr std::int64_t kCurrentPosition = -1;
    // What the header says of the file: one of ours of this version, not one of ours at all,
    // or one of a later version this program cannot read.
    enum class Version { Ok, NotAResultFile, Newer };

    ProtectedContainer();
    ~ProtectedContainer();
    ProtectedContainer(const ProtectedContainer&) = delete;
    ProtectedContainer& operator=(const ProtectedContainer&) = delete;

    // Creates or truncates the file with the default header; leaves this container untouched.
    bool Create(const std::filesystem::path& path) const;
    // Gives a file without owner write permission that permission back, then opens it for
    // update, or for reading when that is refused, and takes over its header.
    bool Open(const std::filesystem::path& path);
    Version CheckVersion() const { return CheckVersion(header_); }
    // What a header says, the file aside: the tests an open container's header copy gets.
    static Version CheckVersion(const ContainerHeader& header);
    static bool IsProtected(const ContainerHeader& header);
    // The buffer gets the default header, then the file's first bytes over it.
    bool ReadHeader(ContainerHeader& buffer);
    // Written through to the file; on success it also becomes the header copy.
    bool WriteHeader(const ContainerHeader& buffer);
    bool SeekToRecords();
    // A short read returns false with the bytes read so far descrambled in the buffer.
    bool ReadRecord(Record& buffer, std::int64_t index = kCurrentPosition);
    // Reads on from the current position into as many records as the buffer holds, in one
    // read, and leaves them scrambled: a record XOR RecordMask() is the record. Returns the
    // number of whole records read; a trailing partial record is left out.
    std::size_t ReadScrambledRecords(std::span<Record> buffer);
    const Record& RecordMask() const { return recordMask_; }
    // Scrambles the caller's buffer in place once the position is reached. Records are
    // buffered: Flush tells whether they reached the file.
    bool WriteRecord(Record& buffer, std::int64_t index = kCurrentPosition);
    bool Flush();
    bool IsProtected() const { return IsProtected(header_); }
    bool TestPassword(std::string_view text) const;
    bool ChangePassword(std::string_view oldPassword, std::string_view newPassword);
    void Close();

    const ContainerHeader& Header() const { return header_; }

  private:
    enum class Direction { kNone, kRead, kWrite };

    bool OpenStream(std::ios::openmode mode);
    void DiscardPendingOutput();
    bool SeekTo(std::uint64_t offset);
    bool SeekToRecord(std::int64_t index);
    void SwitchTo(Direction direction);
    std::size_t KeyLength() const;
    // What scrambling a record of zero bytes gives: a record XOR this is descrambled.
    void MakeRecordMask();
    // At most one record's bytes.
    void ApplyRecordMask(std::span<char> bytes) const;

    ContainerHeader header_;
    Record recordMask_{};
    std::filesystem::path path_;
    std::ios::openmode mode_{};
    std::vector<char> streamBuffer_;
    std::fstream stream_;
    Direction lastDirection_ = Direction::kNone;
};

}  // namespace quexa::files
