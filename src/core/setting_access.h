#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile.h"
#include "core/settings_table.h"

namespace quexa::core {

// One setting as shown to a person: its value and default as text.
struct SettingRow {
    std::string section;
    std::string key;
    bool integer = false;
    std::string value;
    std::string defaultValue;
    bool stored = true;  // false for a family with no member stored yet (key is its pattern)
};

// Reads and writes settings by the names a person types, with the table's checks.
class SettingAccess {
  public:
    // The keys stored directly in a section, so that families can be listed.
    using KeyLister = std::function<std::vector<std::string>(std::string_view section)>;

    static SettingRow Read(const Profile& profile, const SettingMatch& match);
    // Stores text as the setting's type. Returns what is wrong with it, or empty when stored.
    static std::string Write(Profile& profile, const SettingMatch& match, std::string_view text);
    // Every setting of the table in its order; a family lists its stored members, or its
    // pattern when it has none.
    static std::vector<SettingRow> List(const Profile& profile, const KeyLister& keysOf);
};

}  // namespace quexa::core
