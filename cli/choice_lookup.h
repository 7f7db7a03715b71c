#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engines/category_list.h"

namespace quexa::cli {

// The category list entry a name on the command line means: the name a category is
// remembered by ("Global" for the first entry) or the text the list shows ("The Web").
std::optional<std::size_t> FindCategory(const engines::CategoryList& categories,
                                        std::string_view name);

// The scheme list entry of that name; the system scheme is "System Scheme".
std::optional<std::size_t> FindScheme(const std::vector<std::string>& schemes,
                                      std::string_view name);

}  // namespace quexa::cli
