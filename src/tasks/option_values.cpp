#include "tasks/option_values.h"

#include <algorithm>
#include <stdexcept>

namespace quexa::tasks {
namespace {

// A page asks only for the settings it was built with; anything else is a programming error.
template <typename Slots, typename Setting>
auto& Find(Slots& slots, const Setting& setting) {
    const auto slot = std::find_if(slots.begin(), slots.end(), [&setting](const auto& entry) {
        return entry.first == &setting;
    });
    if (slot == slots.end()) {
        throw std::logic_error("setting not on this page: " + std::string(setting.key));
    }
    return *slot;
}

}  // namespace

OptionValues::OptionValues(std::vector<const core::IntSetting*> ints,
                           std::vector<const core::TextSetting*> texts) {
    for (const core::IntSetting* setting : ints) {
        ints_.emplace_back(setting, setting->defaultValue);
    }
    for (const core::TextSetting* setting : texts) {
        texts_.emplace_back(setting, std::string(setting->defaultValue));
    }
}

void OptionValues::Load(const core::Profile& profile) {
    for (auto& [setting, value] : ints_) {
        value = setting->Read(profile);
    }
    for (auto& [setting, value] : texts_) {
        value = setting->Read(profile);
    }
}

void OptionValues::Store(core::Profile& profile, const core::TextSetting* except) const {
    for (const auto& [setting, value] : ints_) {
        setting->Write(profile, value);
    }
    for (const auto& [setting, value] : texts_) {
        if (setting != except) {
            setting->Write(profile, value);
        }
    }
}

void OptionValues::SetDefaults() {
    for (auto& [setting, value] : ints_) {
        value = setting->defaultValue;
    }
    for (auto& [setting, value] : texts_) {
        value = std::string(setting->defaultValue);
    }
}

std::int32_t OptionValues::Int(const core::IntSetting& setting) const {
    return Find(ints_, setting).second;
}

void OptionValues::SetInt(const core::IntSetting& setting, std::int32_t value) {
    Find(ints_, setting).second = value;
}

const std::string& OptionValues::Text(const core::TextSetting& setting) const {
    return Find(texts_, setting).second;
}

void OptionValues::SetText(const core::TextSetting& setting, std::string value) {
    Find(texts_, setting).second = std::move(value);
}

}  // namespace quexa::tasks
