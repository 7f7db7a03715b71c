#include "core/text_setting.h"

#include <algorithm>

#include "core/text.h"

namespace quexa::core {
namespace {

std::size_t CountCharacters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

std::string TextSetting::Read(const Profile& profile) const {
    return profile.GetString(section, key, defaultValue);
}

bool TextSetting::Write(Profile& profile, std::string_view value) const {
    return profile.WriteString(section, key, value);
}

std::string TextSetting::Read(const Profile& profile, std::string_view fullKey) const {
    return profile.GetString(section, fullKey, defaultValue);
}

bool TextSetting::Write(Profile& profile, std::string_view fullKey, std::string_view value) const {
    return profile.WriteString(section, fullKey, value);
}

std::string TextSetting::KeyFor(int number) const {
    return std::string(key) + std::to_string(number);
}

std::string TextSetting::KeyFor(std::string_view name) const {
    return std::string(name) + std::string(key);
}

std::string TextSetting::DisplayKey() const {
    switch (form) {
        case KeyForm::Numbered:
            return std::string(key) + "%d";
        case KeyForm::Suffixed:
            return "<name>" + std::string(key);
        case KeyForm::Fixed:
            break;
    }
    return std::string(key);
}

bool TextSetting::Accepts(std::string_view value) const {
    if (maxCharacters != 0 && CountCharacters(value) > maxCharacters) {
        return false;
    }
    return !digitsOnly ||
           std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace quexa::core
