#pragma once

#include <string>

#include "core/result_item.h"

namespace quexa::files {

// The current row as Copy Item puts it on the clipboard.
std::string ItemAsText(const core::ResultItem& item);

}  // namespace quexa::files
