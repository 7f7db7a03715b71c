#include "core/memory_profile.h"

#include "core/text.h"

namespace quexa::core {
namespace {

std::string SectionPrefix(std::string_view section) {
    return AsciiLower(Profile::NormaliseSection(section)) + '\n';
}

std::optional<std::string> ValueName(std::string_view section, std::string_view key) {
    std::string prefix = SectionPrefix(section);
    if (prefix.size() == 1 || !Profile::IsValidKey(key)) {
        return std::nullopt;
    }
    return prefix + AsciiLower(key);
}

}  // namespace

std::int32_t MemoryProfile::GetInt(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue) const {
    const auto name = ValueName(section, key);
    const std::lock_guard lock(mutex_);
    const auto found = name ? values_.find(*name) : values_.end();
    if (found == values_.end()) {
        return defaultValue;
    }
    return ParseInt(found->second).value_or(defaultValue);
}

std::string MemoryProfile::GetString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    const auto name = ValueName(section, key);
    const std::lock_guard lock(mutex_);
    const auto found = name ? values_.find(*name) : values_.end();
    return found == values_.end() ? std::string(defaultValue) : found->second;
}

bool MemoryProfile::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool MemoryProfile::WriteString(std::string_view section, std::optional<std::string_view> key,
                                std::optional<std::string_view> value) {
    const std::lock_guard lock(mutex_);
    if (!writable_) {
        return false;
    }
    if (!key) {
        // The section and every section below it.
        const std::string prefix = SectionPrefix(section);
        if (prefix.size() == 1) {
            return false;
        }
        std::string below = prefix;
        below.back() = '\\';
        std::erase_if(values_, [&](const auto& entry) {
            return entry.first.starts_with(prefix) || entry.first.starts_with(below);
        });
        return true;
    }
    const auto name = ValueName(section, *key);
    if (!name) {
        return false;
    }
    if (!value) {
        values_.erase(*name);
        return true;
    }
    values_[*name] = std::string(*value);
    return true;
}

void MemoryProfile::SetWritable(bool writable) {
    const std::lock_guard lock(mutex_);
    writable_ = writable;
}

std::size_t MemoryProfile::size() const {
    const std::lock_guard lock(mutex_);
    return values_.size();
}

}  // namespace quexa::core
