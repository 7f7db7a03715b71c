#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quexa::engines {

// The 268-byte head of a scheme file.
struct SchemeHeader {
    static constexpr std::size_t kSize = 268;
    static constexpr std::size_t kNoteField = 256;
    static constexpr std::array<char, 4> kMagic{'S', 'C', 'M', 'A'};
    using Bytes = std::array<char, kSize>;

    std::array<char, 4> magic = kMagic;
    std::string note;
    std::uint32_t entryCount = 0;
    std::uint32_t gap = 0;  // bytes between the header and the first entry

    bool IsValid() const { return magic == kMagic; }
    static SchemeHeader Decode(const Bytes& bytes);
    Bytes Encode() const;  // a longer note is cut at a character boundary
};

// One engine of a scheme: 55 bytes.
struct SchemeEntry {
    static constexpr std::size_t kSize = 55;
    static constexpr std::size_t kNameField = 50;
    using Bytes = std::array<char, kSize>;

    std::string engineName;
    std::int32_t returnNumber = 0;
    std::uint8_t selectedFlag = 0;  // only 1 means selected

    bool Selected() const { return selectedFlag == 1; }
    static SchemeEntry Decode(const Bytes& bytes);
    Bytes Encode() const;  // a longer name is cut at a character boundary
};

// A user's scheme file: header and entries, read and written in place.
class SchemeFile {
  public:
    static constexpr std::uint32_t kMaxEntries = 10000;

    // Creates or empties the file and closes it again.
    bool Create(const std::filesystem::path& path);
    // Opens an existing file; for reading only unless writable.
    bool Open(const std::filesystem::path& path, bool writable = false);
    // True only when the file's first four bytes are "SCM" and 'A'.
    static bool Validate(const std::filesystem::path& path);

    // The entry count read is capped at kMaxEntries.
    bool ReadHeader(SchemeHeader& header);
    bool WriteHeader(const SchemeHeader& header);
    // Entries lie after the header and the gap the file's header gives at each call. A failed
    // read leaves the entry empty.
    bool ReadEntry(std::uint32_t index, SchemeEntry& entry);
    bool WriteEntry(std::uint32_t index, const SchemeEntry& entry);
    void Close();

    // Writes a whole scheme (header count set from entries) beside the target and renames it
    // over it, so a failure leaves any old file as it was.
    static bool Save(const std::filesystem::path& path, const std::string& note,
                     const std::vector<SchemeEntry>& entries);

  private:
    bool EntryOffset(std::uint32_t index, std::uint64_t& offset);

    std::fstream stream_;
};

}  // namespace quexa::engines
