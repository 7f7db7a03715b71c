#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace quexa::engines {

// One engine file's 1,600-byte block: fixed-width NUL-terminated text fields.
class EngineRecord {
  public:
    static constexpr std::size_t kSize = 1600;
    using Bytes = std::array<char, kSize>;

    struct Field {
        std::size_t offset;
        std::size_t size;
    };
    static constexpr Field kName{4, 50};
    static constexpr Field kWebSite{54, 255};
    static constexpr Field kUrlRules{309, 255};
    static constexpr Field kReserved1{564, 5};
    static constexpr Field kItemTemplates{569, 255};
    static constexpr Field kNextPageTemplates{824, 255};
    static constexpr Field kReserved2{1079, 10};
    static constexpr Field kReserved3{1089, 1};
    static constexpr Field kNextPageRoot{1090, 255};
    static constexpr Field kSearchUrl{1345, 255};

    // All zero but the magic "QZR" and the version letter 'A'.
    EngineRecord();

    // The text of a field up to its NUL, never more than the field's size less one.
    std::string Text(Field field) const;
    // Stores text with a terminating NUL; false (and nothing stored) when it does not fit.
    bool SetText(Field field, std::string_view text);
    std::string_view Raw(Field field) const;
    void SetRaw(Field field, std::string_view bytes);

    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }

  private:
    Bytes bytes_{};
};

// Reads and descrambles an engine file; false when it can't be opened or is shorter than a record.
bool ReadEngineRecord(const std::filesystem::path& path, EngineRecord& record);

}  // namespace quexa::engines
