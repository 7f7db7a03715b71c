#include "files/protected_container.h"

#include <limits>
#include <span>
#include <system_error>

namespace quexa::files {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kStreamBufferSize = 64 * 1024;
constexpr std::ios::openmode kUpdate = std::ios::in | std::ios::out | std::ios::binary;
constexpr std::ios::openmode kReadOnly = std::ios::in | std::ios::binary;

// A file without owner write permission is what the read-only attribute is here.
void RestoreOwnerWrite(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status) ||
        (status.permissions() & fs::perms::owner_write) != fs::perms::none) {
        return;
    }
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
}

}  // namespace

ProtectedContainer::ProtectedContainer() : streamBuffer_(kStreamBufferSize) {}

ProtectedContainer::~ProtectedContainer() {
    Close();
}

bool ProtectedContainer::Create(const fs::path& path) const {
    const ContainerHeader header;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(header.RawBytes().data(), static_cast<std::streamsize>(kHeaderSize));
    out.close();
    return !out.fail();
}

bool ProtectedContainer::Open(const fs::path& path) {
    Close();
    header_ = ContainerHeader();
    std::error_code error;
    // A pipe or a device would block the read of the header, or never end.
    if (path.empty() || !fs::is_regular_file(path, error)) {
        return false;
    }
    RestoreOwnerWrite(path);
    path_ = path;
    if (!OpenStream(kUpdate) && !OpenStream(kReadOnly)) {
        return false;
    }
    ContainerHeader header;
    stream_.read(header.RawBytes().data(), static_cast<std::streamsize>(kHeaderSize));
    if (stream_.gcount() != static_cast<std::streamsize>(kHeaderSize)) {
        Close();
        return false;
    }
    lastDirection_ = Direction::kRead;
    header_ = header;
    MakeRecordMask();
    return true;
}

ProtectedContainer::Version ProtectedContainer::CheckVersion(const ContainerHeader& header) {
    if (header.Magic() != "QZR") {
        return Version::NotAResultFile;
    }
    const char mode = header.ModeLetter();
    if (header.FormatLetter() != 'A' || header.SecondFormatLetter() != 'A' ||
        (mode != 'A' && mode != 'B' && mode != 'C')) {
        return Version::Newer;
    }
    return Version::Ok;
}

bool ProtectedContainer::ReadHeader(ContainerHeader& buffer) {
    buffer = ContainerHeader();
    if (!SeekTo(0)) {
        return false;
    }
    stream_.read(buffer.RawBytes().data(), static_cast<std::streamsize>(kHeaderSize));
    lastDirection_ = Direction::kRead;
    return stream_.gcount() == static_cast<std::streamsize>(kHeaderSize);
}

bool ProtectedContainer::WriteHeader(const ContainerHeader& buffer) {
    if (!SeekTo(0)) {
        return false;
    }
    stream_.write(buffer.RawBytes().data(), static_cast<std::streamsize>(kHeaderSize));
    stream_.flush();
    lastDirection_ = Direction::kWrite;
    if (!stream_.good()) {
        DiscardPendingOutput();
        return false;
    }
    header_ = buffer;
    MakeRecordMask();
    return true;
}

bool ProtectedContainer::SeekToRecords() {
    return SeekTo(kHeaderSize + std::uint64_t{header_.RecordOffset()});
}

bool ProtectedContainer::ReadRecord(Record& buffer, std::int64_t index) {
    if (!SeekToRecord(index)) {
        return false;
    }
    SwitchTo(Direction::kRead);
    stream_.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const auto count = static_cast<std::size_t>(stream_.gcount());
    ApplyRecordMask(std::span<char>(buffer.data(), count));
    return count == buffer.size();
}

std::size_t ProtectedContainer::ReadScrambledRecords(std::span<Record> buffer) {
    if (buffer.empty() || !SeekToRecord(kCurrentPosition)) {
        return 0;
    }
    SwitchTo(Direction::kRead);
    stream_.read(buffer.data()->data(), static_cast<std::streamsize>(buffer.size_bytes()));
    return static_cast<std::size_t>(stream_.gcount()) / kRecordSize;
}

bool ProtectedContainer::WriteRecord(Record& buffer, std::int64_t index) {
    if (!SeekToRecord(index)) {
        return false;
    }
    SwitchTo(Direction::kWrite);
    ApplyRecordMask(buffer);
    stream_.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    return stream_.good();
}

bool ProtectedContainer::Flush() {
    if (!stream_.is_open()) {
        return false;
    }
    stream_.clear();
    return stream_.rdbuf()->pubsync() == 0;
}

// Compared as zero-terminated strings, as the check value always was, but never past the key.
bool ProtectedContainer::IsProtected(const ContainerHeader& header) {
    const Key stored = header.CheckValue();
    const Key& plain = DefaultKey();
    for (std::size_t i = 0; i < kKeySize; ++i) {
        if (stored[i] != plain[i]) {
            return true;
        }
        if (stored[i] == 0) {
            return false;
        }
    }
    return false;
}

bool ProtectedContainer::TestPassword(std::string_view text) const {
    if (!IsProtected() && text.empty()) {
        return true;
    }
    return DeriveKey(text) == header_.CheckValue();
}

bool ProtectedContainer::ChangePassword(std::string_view oldPassword,
                                        std::string_view newPassword) {
    if (!TestPassword(oldPassword)) {
        return false;
    }
    // The header copy changes only once the file holds the new check value.
    ContainerHeader changed = header_;
    changed.SetCheckValue(DeriveKey(newPassword));
    return WriteHeader(changed);
}

void ProtectedContainer::Close() {
    if (stream_.is_open()) {
        stream_.close();
    }
    stream_.clear();
    lastDirection_ = Direction::kNone;
}

bool ProtectedContainer::OpenStream(std::ios::openmode mode) {
    stream_.clear();
    // The buffer must be installed before the file is opened to take effect.
    stream_.rdbuf()->pubsetbuf(streamBuffer_.data(),
                               static_cast<std::streamsize>(streamBuffer_.size()));
    stream_.open(path_, mode);
    mode_ = mode;
    return stream_.is_open();
}

// A failed write may stay in the stream buffer and reach the file later, after the caller was
// told it failed. Closing drops it; the file is then opened again as it was.
void ProtectedContainer::DiscardPendingOutput() {
    stream_.close();
    stream_.clear();
    lastDirection_ = Direction::kNone;
    OpenStream(mode_);
}

bool ProtectedContainer::SeekTo(std::uint64_t offset) {
    if (!stream_.is_open() ||
        offset > static_cast<std::uint64_t>(std::numeric_limits<std::streamoff>::max())) {
        return false;
    }
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    lastDirection_ = Direction::kNone;
    return !stream_.fail();
}

bool ProtectedContainer::SeekToRecord(std::int64_t index) {
    if (index == kCurrentPosition) {
        stream_.clear();
        return stream_.is_open();
    }
    constexpr auto kLastIndex =
        (std::numeric_limits<std::int64_t>::max() - static_cast<std::int64_t>(kHeaderSize)) /
        static_cast<std::int64_t>(kRecordSize);
    if (index < 0 || index > kLastIndex) {
        return false;
    }
    return SeekTo(kHeaderSize + static_cast<std::uint64_t>(index) * kRecordSize);
}

// A file stream needs a seek between reading and writing; seeking to where it stands is enough.
void ProtectedContainer::SwitchTo(Direction direction) {
    if (lastDirection_ != Direction::kNone && lastDirection_ != direction) {
        const std::streampos position = stream_.tellg();
        if (position != std::streampos(-1)) {
            stream_.seekg(position);
        }
    }
    lastDirection_ = direction;
}

std::size_t ProtectedContainer::KeyLength() const {
    return header_.KeyLength();
}

void ProtectedContainer::MakeRecordMask() {
    recordMask_.fill('\0');
    Scramble(recordMask_, DefaultKey(), KeyLength());
}

// Scrambling is an XOR, so the mask does it both ways.
void ProtectedContainer::ApplyRecordMask(std::span<char> bytes) const {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(bytes[i] ^ recordMask_[i]);
    }
}

}  // namespace quexa::files
