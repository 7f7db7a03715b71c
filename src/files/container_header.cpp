#include "files/container_header.h"

#include <algorithm>

#include "core/text.h"

namespace quexa::files {
namespace {

struct Field {
    std::size_t offset;
    std::size_t width;
};

constexpr Field kKeywords{4, 60};
constexpr Field kStateFileName{64, 5};
constexpr Field kSearchTarget{69, 75};
constexpr Field kNote{144, 256};
constexpr Field kAuthor{405, 20};
constexpr std::size_t kRecordCountAt = 425;
constexpr std::size_t kRecordOffsetAt = 430;
constexpr std::size_t kKeyLengthAt = 434;
constexpr std::size_t kCheckValueAt = 438;

}  // namespace

ContainerHeader::ContainerHeader() {
    bytes_[0] = 'Q';
    bytes_[1] = 'Z';
    bytes_[2] = 'R';
    SetFormatLetter('A');
    SetModeLetter('A');
    SetSecondFormatLetter('A');
    SetKeyLength(static_cast<std::uint32_t>(kKeySize));
    SetCheckValue(DefaultKey());
}

std::string ContainerHeader::Keywords() const {
    return Text(kKeywords.offset, kKeywords.width);
}
void ContainerHeader::SetKeywords(std::string_view text) {
    SetText(kKeywords.offset, kKeywords.width, text);
}
std::string ContainerHeader::StateFileName() const {
    return Text(kStateFileName.offset, kStateFileName.width);
}
void ContainerHeader::SetStateFileName(std::string_view text) {
    SetText(kStateFileName.offset, kStateFileName.width, text);
}
std::string ContainerHeader::SearchTarget() const {
    return Text(kSearchTarget.offset, kSearchTarget.width);
}
void ContainerHeader::SetSearchTarget(std::string_view text) {
    SetText(kSearchTarget.offset, kSearchTarget.width, text);
}
std::string ContainerHeader::Note() const {
    return Text(kNote.offset, kNote.width);
}
void ContainerHeader::SetNote(std::string_view text) {
    SetText(kNote.offset, kNote.width, text);
}
std::string ContainerHeader::Author() const {
    return Text(kAuthor.offset, kAuthor.width);
}
void ContainerHeader::SetAuthor(std::string_view text) {
    SetText(kAuthor.offset, kAuthor.width, text);
}

std::uint32_t ContainerHeader::RecordCount() const {
    return Number(kRecordCountAt);
}
void ContainerHeader::SetRecordCount(std::uint32_t count) {
    SetNumber(kRecordCountAt, count);
}
std::uint32_t ContainerHeader::RecordOffset() const {
    return Number(kRecordOffsetAt);
}
void ContainerHeader::SetRecordOffset(std::uint32_t offset) {
    SetNumber(kRecordOffsetAt, offset);
}
std::uint32_t ContainerHeader::KeyLength() const {
    return Number(kKeyLengthAt);
}
void ContainerHeader::SetKeyLength(std::uint32_t length) {
    SetNumber(kKeyLengthAt, length);
}

Key ContainerHeader::CheckValue() const {
    Key value{};
    for (std::size_t i = 0; i < value.size(); ++i) {
        value[i] = static_cast<std::uint8_t>(bytes_[kCheckValueAt + i]);
    }
    return value;
}

void ContainerHeader::SetCheckValue(const Key& value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        bytes_[kCheckValueAt + i] = static_cast<char>(value[i]);
    }
}

// A field that is full has no terminator; it is never read beyond its width.
std::string ContainerHeader::Text(std::size_t offset, std::size_t width) const {
    const std::string_view field(bytes_.data() + offset, width);
    return std::string(field.substr(0, field.find('\0')));
}

void ContainerHeader::SetText(std::size_t offset, std::size_t width, std::string_view text) {
    const std::string copy = core::BoundedCopy(text, width);
    const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    std::fill(std::copy(copy.begin(), copy.end(), begin),
              begin + static_cast<std::ptrdiff_t>(width), '\0');
}

std::uint32_t ContainerHeader::Number(std::size_t offset) const {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes_[offset + i]);
    }
    return value;
}

void ContainerHeader::SetNumber(std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
}

}  // namespace quexa::files
