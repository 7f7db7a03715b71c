#include "engines/scheme_file.h"

#include <algorithm>
#include <system_error>

#include "core/text.h"
#include "engines/replacing_write.h"

namespace quexa::engines {

namespace {

constexpr std::size_t kNoteOffset = 4;
constexpr std::size_t kCountOffset = kNoteOffset + SchemeHeader::kNoteField;
constexpr std::size_t kGapOffset = kCountOffset + 4;
static_assert(kGapOffset + 4 == SchemeHeader::kSize);
constexpr std::size_t kReturnOffset = SchemeEntry::kNameField;
constexpr std::size_t kSelectedOffset = kReturnOffset + 4;
static_assert(kSelectedOffset + 1 == SchemeEntry::kSize);

std::uint32_t GetUint32(const char* bytes) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return bits;
}

void PutUint32(char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
}

void PutText(char* field, std::size_t size, std::string_view text) {
    const std::string bounded = core::BoundedCopy(text, size);
    std::copy(bounded.begin(), bounded.end(), field);
}

}  // namespace

SchemeHeader SchemeHeader::Decode(const Bytes& bytes) {
    SchemeHeader header;
    std::copy_n(bytes.begin(), header.magic.size(), header.magic.begin());
    header.note =
        core::BoundedCopy(std::string_view(bytes.data() + kNoteOffset, kNoteField), kNoteField);
    header.entryCount = GetUint32(bytes.data() + kCountOffset);
    header.gap = GetUint32(bytes.data() + kGapOffset);
    return header;
}

SchemeHeader::Bytes SchemeHeader::Encode() const {
    Bytes bytes{};
    std::copy(magic.begin(), magic.end(), bytes.begin());
    PutText(bytes.data() + kNoteOffset, kNoteField, note);
    PutUint32(bytes.data() + kCountOffset, entryCount);
    PutUint32(bytes.data() + kGapOffset, gap);
    return bytes;
}

SchemeEntry SchemeEntry::Decode(const Bytes& bytes) {
    SchemeEntry entry;
    entry.engineName = core::BoundedCopy(std::string_view(bytes.data(), kNameField), kNameField);
    entry.returnNumber = static_cast<std::int32_t>(GetUint32(bytes.data() + kReturnOffset));
    entry.selectedFlag = static_cast<std::uint8_t>(bytes[kSelectedOffset]);
    return entry;
}

SchemeEntry::Bytes SchemeEntry::Encode() const {
    Bytes bytes{};
    PutText(bytes.data(), kNameField, engineName);
    PutUint32(bytes.data() + kReturnOffset, static_cast<std::uint32_t>(returnNumber));
    bytes[kSelectedOffset] = static_cast<char>(selectedFlag);
    return bytes;
}

bool SchemeFile::Create(const std::filesystem::path& path) {
    Close();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out.is_open();
}

bool SchemeFile::Open(const std::filesystem::path& path, bool writable) {
    Close();
    std::ios::openmode mode = std::ios::binary | std::ios::in;
    if (writable) {
        mode |= std::ios::out;
    }
    stream_.open(path, mode);
    return stream_.is_open();
}

bool SchemeFile::Validate(const std::filesystem::path& path) {
    SchemeFile file;
    SchemeHeader header;
    return file.Open(path) && file.ReadHeader(header) && header.IsValid();
}

bool SchemeFile::ReadHeader(SchemeHeader& header) {
    header = SchemeHeader();
    SchemeHeader::Bytes bytes{};
    stream_.clear();
    stream_.seekg(0);
    if (!stream_.read(bytes.data(), bytes.size())) {
        return false;
    }
    header = SchemeHeader::Decode(bytes);
    header.entryCount = std::min(header.entryCount, kMaxEntries);
    return true;
}

bool SchemeFile::WriteHeader(const SchemeHeader& header) {
    const SchemeHeader::Bytes bytes = header.Encode();
    stream_.clear();
    stream_.seekp(0);
    return static_cast<bool>(stream_.write(bytes.data(), bytes.size()).flush());
}

bool SchemeFile::EntryOffset(std::uint32_t index, std::uint64_t& offset) {
    std::array<char, 4> gap{};
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(kGapOffset));
    if (!stream_.read(gap.data(), gap.size())) {
        return false;
    }
    offset = SchemeHeader::kSize + std::uint64_t{GetUint32(gap.data())} +
             std::uint64_t{SchemeEntry::kSize} * index;
    return true;
}

bool SchemeFile::ReadEntry(std::uint32_t index, SchemeEntry& entry) {
    entry = SchemeEntry();
    std::uint64_t offset = 0;
    if (!EntryOffset(index, offset)) {
        return false;
    }
    SchemeEntry::Bytes bytes{};
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    if (!stream_.read(bytes.data(), bytes.size())) {
        return false;
    }
    entry = SchemeEntry::Decode(bytes);
    return true;
}

bool SchemeFile::WriteEntry(std::uint32_t index, const SchemeEntry& entry) {
    std::uint64_t offset = 0;
    if (!EntryOffset(index, offset)) {
        return false;
    }
    const SchemeEntry::Bytes bytes = entry.Encode();
    stream_.clear();
    stream_.seekp(static_cast<std::streamoff>(offset));
    return static_cast<bool>(stream_.write(bytes.data(), bytes.size()).flush());
}

void SchemeFile::Close() {
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.clear();
}

bool SchemeFile::Save(const std::filesystem::path& path, const std::string& note,
                      const std::vector<SchemeEntry>& entries) {
    if (entries.size() > kMaxEntries) {
        return false;
    }
    SchemeHeader header;
    header.note = note;
    header.entryCount = static_cast<std::uint32_t>(entries.size());
    return ReplacingWrite(path, [&](const std::filesystem::path& temporary) {
        SchemeFile file;
        if (!file.Create(temporary) || !file.Open(temporary, true) || !file.WriteHeader(header)) {
            return false;
        }
        for (std::uint32_t i = 0; i < header.entryCount; ++i) {
            if (!file.WriteEntry(i, entries[i])) {
                return false;
            }
        }
        file.Close();
        return true;
    });
}

}  // namespace quexa::engines
