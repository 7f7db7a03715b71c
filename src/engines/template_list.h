#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quexa::engines {

inline constexpr std::string_view kListSeparator = "*&*";

// Splits an engine's template list. A text without the separator, or starting with it, is one
// entry; an empty last entry is dropped, empty entries between separators are kept.
std::vector<std::string> SplitTemplateList(std::string_view text,
                                           std::string_view separator = kListSeparator);

}  // namespace quexa::engines
