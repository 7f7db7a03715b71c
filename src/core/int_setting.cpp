#include "core/int_setting.h"

namespace quexa::core {

std::int32_t IntSetting::Read(const Profile& profile) const {
    return profile.GetInt(section, key, defaultValue);
}

bool IntSetting::Write(Profile& profile, std::int32_t value) const {
    return profile.WriteInt(section, key, value);
}

}  // namespace quexa::core
