#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

#include "core/profile.h"

namespace quexa::core {

// One integer value of the profile with its default; booleans are the integers 0 and 1.
// The range is what the program's own editors allow and what `quexa-cli config set` accepts;
// reading returns whatever is stored.
struct IntSetting {
    std::string_view section;
    std::string_view key;
    std::int32_t defaultValue = 0;
    std::int32_t minimum = std::numeric_limits<std::int32_t>::min();
    std::int32_t maximum = std::numeric_limits<std::int32_t>::max();

    std::int32_t Read(const Profile& profile) const;
    bool ReadFlag(const Profile& profile) const { return Read(profile) != 0; }
    bool Write(Profile& profile, std::int32_t value) const;
    bool InRange(std::int32_t value) const { return value >= minimum && value <= maximum; }
};

}  // namespace quexa::core
