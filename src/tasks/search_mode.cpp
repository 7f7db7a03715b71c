#include "tasks/search_mode.h"

#include "core/settings_table.h"
#include "core/text.h"

namespace quexa::tasks {

SearchMode SearchModeFromProfile(const core::Profile& profile) {
    namespace s = core::settings;
    if (!core::Trim(s::kInternetKeywords.Read(profile)).empty()) {
        return SearchMode::Internet;
    }
    if (!core::Trim(s::kIntranetPatterns.Read(profile)).empty() &&
        !core::Trim(s::kLastSearchTarget.Read(profile)).empty()) {
        return SearchMode::Intranet;
    }
    return SearchMode::FreeEdit;
}

std::optional<SearchMode> ParseSearchMode(std::string_view text) {
    const std::string lower = core::AsciiLower(text);
    if (lower == "internet") {
        return SearchMode::Internet;
    }
    if (lower == "intranet") {
        return SearchMode::Intranet;
    }
    if (lower == "free") {
        return SearchMode::FreeEdit;
    }
    return std::nullopt;
}

}  // namespace quexa::tasks
