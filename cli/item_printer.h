#pragma once

#include <ostream>

#include "core/result_list.h"

namespace quexa::cli {

// The result list as the search and verify commands print it: an aligned table (status, search
// target, title, location) or, with json, JSON Lines, one object per item with "title",
// "location", "target", "preview", "status", "visit" and "selected".
void PrintItems(const core::ResultList& list, bool json, std::ostream& out);

}  // namespace quexa::cli
