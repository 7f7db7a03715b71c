#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quexa::core {

// The user's persistent settings: values addressed by a section ("System\Setting", sections may
// nest with backslashes) and a key. Section and key names are matched without regard to case.
//
// Values are stored as text. An integer read takes a value only when its whole text is a
// decimal 32-bit number; anything else is a value of the wrong type and reads as missing.
// Callers ignore the results of the writes: a failed write is lost and the next read yields
// the default. Implementations are safe to call from any thread.
class Profile {
  public:
    virtual ~Profile() = default;

    virtual std::int32_t GetInt(std::string_view section, std::string_view key,
                                std::int32_t defaultValue) const = 0;
    virtual std::string GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue = {}) const = 0;
    // Creates the section when missing.
    virtual bool WriteInt(std::string_view section, std::string_view key, std::int32_t value) = 0;
    // Creates the section when missing. No value deletes the value; no key deletes the whole
    // section with everything below it.
    virtual bool WriteString(std::string_view section, std::optional<std::string_view> key,
                             std::optional<std::string_view> value) = 0;

    bool RemoveValue(std::string_view section, std::string_view key) {
        return WriteString(section, key, std::nullopt);
    }
    bool RemoveSection(std::string_view section) {
        return WriteString(section, std::nullopt, std::nullopt);
    }

    // The integer a stored text stands for: optional blanks, an optional minus sign and
    // decimal digits within the 32-bit range. Shared by every implementation so that they
    // agree on what counts as the wrong type.
    static std::optional<std::int32_t> ParseInt(std::string_view text);
    // A section with slashes taken as backslashes, runs of them as one and none at either
    // end; empty when nothing names a section.
    static std::string NormaliseSection(std::string_view section);
    // Keys are single names: not empty, without a backslash or a slash.
    static bool IsValidKey(std::string_view key);
};

}  // namespace quexa::core
