#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/container_key.h"

namespace quexa::files {

inline constexpr std::size_t kHeaderSize = 498;

// The header of a result file, kept as its bytes on disk. Integers are 32-bit little-endian;
// texts are NUL-terminated within their fields and stored as bounded copies.
class ContainerHeader {
  public:
    using Bytes = std::array<char, kHeaderSize>;

    // The default header: "QZR", format 'A', mode 'A', key length 20, the default key.
    ContainerHeader();

    Bytes& RawBytes() { return bytes_; }
    const Bytes& RawBytes() const { return bytes_; }

    std::string_view Magic() const { return {bytes_.data(), 3}; }
    char FormatLetter() const { return bytes_[3]; }
    void SetFormatLetter(char letter) { bytes_[3] = letter; }
    std::string Keywords() const;
    void SetKeywords(std::string_view text);
    std::string StateFileName() const;
    void SetStateFileName(std::string_view text);
    std::string SearchTarget() const;
    void SetSearchTarget(std::string_view text);
    std::string Note() const;
    void SetNote(std::string_view text);
    char ModeLetter() const { return bytes_[400]; }
    void SetModeLetter(char letter) { bytes_[400] = letter; }
    std::string Author() const;
    void SetAuthor(std::string_view text);
    std::uint32_t RecordCount() const;
    void SetRecordCount(std::uint32_t count);
    char SecondFormatLetter() const { return bytes_[429]; }
    void SetSecondFormatLetter(char letter) { bytes_[429] = letter; }
    // Distance from the end of the header to the first record.
    std::uint32_t RecordOffset() const;
    void SetRecordOffset(std::uint32_t offset);
    std::uint32_t KeyLength() const;
    void SetKeyLength(std::uint32_t length);
    Key CheckValue() const;
    void SetCheckValue(const Key& value);

  private:
    std::string Text(std::size_t offset, std::size_t width) const;
    void SetText(std::size_t offset, std::size_t width, std::string_view text);
    std::uint32_t Number(std::size_t offset) const;
    void SetNumber(std::size_t offset, std::uint32_t value);

    Bytes bytes_{};
};

}  // namespace quexa::files
