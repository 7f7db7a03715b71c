#include "core/setting_access.h"

#include <algorithm>
#include <filesystem>

namespace quexa::core {
namespace {

std::string Name(const SettingMatch& match) {
    return std::string(SectionOf(match.entry)) + " / " + match.key;
}

std::string CheckInt(const IntSetting& setting, const std::string& name, std::string_view text) {
    const auto value = Profile::ParseInt(text);
    if (!value) {
        return name + " takes a whole number, not \"" + std::string(text) + "\"";
    }
    if (!setting.InRange(*value)) {
        return name + " must be between " + std::to_string(setting.minimum) + " and " +
               std::to_string(setting.maximum);
    }
    return {};
}

std::string CheckText(const TextSetting& setting, const std::string& name, std::string_view text) {
    if (setting.digitsOnly && !setting.Accepts(text)) {
        return name + " takes at most " + std::to_string(setting.maxCharacters) + " digits";
    }
    if (!setting.Accepts(text)) {
        return name + " takes at most " + std::to_string(setting.maxCharacters) + " characters";
    }
    std::error_code error;
    if (setting.existingFile && !text.empty() &&
        !std::filesystem::is_regular_file(std::filesystem::path(text), error)) {
        return "The special browser isn't existed!";
    }
    return {};
}

// Numbered members in number order, the others as stored.
std::vector<std::string> Members(const SettingEntry& entry, const std::vector<std::string>& keys) {
    std::vector<std::pair<std::int64_t, std::string>> members;
    for (const std::string& key : keys) {
        const auto match = SettingsTable::Find(SectionOf(entry), key);
        if (match && match->entry == entry) {
            const auto* text = std::get<const TextSetting*>(entry);
            const std::int64_t number =
                text->form == KeyForm::Numbered
                    ? Profile::ParseInt(std::string_view(key).substr(text->key.size())).value_or(0)
                    : 0;
            members.emplace_back(number, match->key);
        }
    }
    std::stable_sort(members.begin(), members.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (auto& member : members) {
        names.push_back(std::move(member.second));
    }
    return names;
}

}  // namespace

SettingRow SettingAccess::Read(const Profile& profile, const SettingMatch& match) {
    SettingRow row;
    row.section = SectionOf(match.entry);
    row.key = match.key;
    if (const auto* integer = std::get_if<const IntSetting*>(&match.entry)) {
        row.integer = true;
        row.value = std::to_string(profile.GetInt(row.section, row.key, (*integer)->defaultValue));
        row.defaultValue = std::to_string((*integer)->defaultValue);
        return row;
    }
    const auto* text = std::get<const TextSetting*>(match.entry);
    row.value = profile.GetString(row.section, row.key, text->defaultValue);
    row.defaultValue = std::string(text->defaultValue);
    return row;
}

std::string SettingAccess::Write(Profile& profile, const SettingMatch& match,
                                 std::string_view text) {
    const std::string name = Name(match);
    const std::string_view section = SectionOf(match.entry);
    if (const auto* integer = std::get_if<const IntSetting*>(&match.entry)) {
        std::string problem = CheckInt(**integer, name, text);
        if (problem.empty() && !profile.WriteInt(section, match.key, *Profile::ParseInt(text))) {
            problem = "could not save " + name;
        }
        return problem;
    }
    std::string problem = CheckText(*std::get<const TextSetting*>(match.entry), name, text);
    if (problem.empty() && !profile.WriteString(section, match.key, text)) {
        problem = "could not save " + name;
    }
    return problem;
}

std::vector<SettingRow> SettingAccess::List(const Profile& profile, const KeyLister& keysOf) {
    std::vector<SettingRow> rows;
    for (const SettingEntry& entry : SettingsTable::All()) {
        const auto* text = std::get_if<const TextSetting*>(&entry);
        if (text == nullptr || (*text)->form == KeyForm::Fixed) {
            const std::string key =
                std::visit([](const auto* setting) { return std::string(setting->key); }, entry);
            rows.push_back(Read(profile, {entry, key}));
            continue;
        }
        const std::vector<std::string> members = Members(entry, keysOf(SectionOf(entry)));
        for (const std::string& member : members) {
            rows.push_back(Read(profile, {entry, member}));
        }
        if (members.empty()) {
            rows.push_back({std::string((*text)->section),
                            (*text)->DisplayKey(),
                            false,
                            {},
                            std::string((*text)->defaultValue),
                            false});
        }
    }
    return rows;
}

}  // namespace quexa::core
