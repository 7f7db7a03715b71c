#pragma once

#include <optional>
#include <string_view>

#include "core/profile.h"

namespace quexa::tasks {

// The three ways of New Search.
enum class SearchMode { Internet, Intranet, FreeEdit };

// The search the profile describes as the search wizards leave it: the Internet search when it
// holds key words for one, else the Intranet search when it holds patterns and a target, else
// the empty free list.
SearchMode SearchModeFromProfile(const core::Profile& profile);

// "internet", "intranet" or "free", in any letter case; nothing for anything else.
std::optional<SearchMode> ParseSearchMode(std::string_view text);

}  // namespace quexa::tasks
