#include "core/keyword_history.h"

#include <algorithm>

#include "core/settings_table.h"
#include "core/text.h"

namespace quexa::core {

KeywordHistory::KeywordHistory(const IntSetting& count, const TextSetting& entry)
    : count_(&count), entry_(&entry) {}

KeywordHistory KeywordHistory::Internet() {
    return {settings::kInternetHistoryCount, settings::kInternetHistoryEntry};
}

KeywordHistory KeywordHistory::Intranet() {
    return {settings::kIntranetHistoryCount, settings::kIntranetHistoryEntry};
}

std::int32_t KeywordHistory::Count(const Profile& profile) const {
    return std::clamp(count_->Read(profile), 0, kMaxEntries);
}

std::vector<std::string> KeywordHistory::Load(const Profile& profile) const {
    std::vector<std::string> entries;
    const std::int32_t count = Count(profile);
    for (std::int32_t number = 0; number <= count; ++number) {
        std::string text = entry_->Read(profile, entry_->KeyFor(number));
        if (!text.empty()) {
            entries.push_back(std::move(text));
        }
    }
    return entries;
}

bool KeywordHistory::Add(Profile& profile, std::string_view query,
                         const std::vector<std::string>& shown) const {
    const std::string lowered = AsciiLower(query);
    const bool known = std::any_of(shown.begin(), shown.end(), [&](const std::string& entry) {
        return AsciiLower(entry) == lowered;
    });
    const std::int32_t count = Count(profile);
    if (query.empty() || known || count >= kMaxEntries) {
        return false;
    }
    count_->Write(profile, count + 1);
    entry_->Write(profile, entry_->KeyFor(count + 1), query);
    return true;
}

void KeywordHistory::Clear(Profile& profile) const {
    if (count_->Read(profile) > 0) {
        count_->Write(profile, 0);
    }
}

}  // namespace quexa::core
