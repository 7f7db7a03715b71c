#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/profile.h"

namespace quexa::core {

// How the key of a text setting is named: most are fixed, two sections hold families.
enum class KeyForm {
    Fixed,
    Numbered,  // the key is a prefix followed by a number: "Key1", "Key2", ...
    Suffixed,  // the key is any name followed by a suffix: "Global.LastScheme"
};

// One text value of the profile with its default. For a family, key is the prefix or the
// suffix and the full key name comes from KeyFor.
struct TextSetting {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue = {};
    KeyForm form = KeyForm::Fixed;
    std::size_t maxCharacters = 0;  // what the editors accept; 0 is no limit
    bool digitsOnly = false;        // a port number as text
    bool existingFile = false;      // when not empty, names a file that exists

    std::string Read(const Profile& profile) const;
    bool Write(Profile& profile, std::string_view value) const;
    // A member of the family, by its full key name.
    std::string Read(const Profile& profile, std::string_view fullKey) const;
    bool Write(Profile& profile, std::string_view fullKey, std::string_view value) const;

    std::string KeyFor(int number) const;             // Numbered
    std::string KeyFor(std::string_view name) const;  // Suffixed

    // The key name as the table writes it, families included ("Key%d", "<name>.LastScheme").
    std::string DisplayKey() const;
    // Whether a value suits the editors' limits.
    bool Accepts(std::string_view value) const;
};

}  // namespace quexa::core
