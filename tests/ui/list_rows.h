#pragma once

#include <string>
#include <vector>

#include "core/result_item.h"
#include "core/result_list.h"

namespace quexa::ui::testing {

// Result items for the list tests: every status and visit code, texts that sort differently
// by each column, and empty cells.
core::ResultItem Item(std::string title, std::string location, core::StatusCode status,
                      core::VisitCode visit, bool selected, std::string target = "Engine",
                      std::string preview = "A preview");
// Rows whose order differs for every column.
std::vector<core::ResultItem> MixedRows();
// count rows named "Title 000042" and so on, batch-added as a load does.
void Fill(core::ResultList& list, std::size_t count, int previewHeight = 0);

}  // namespace quexa::ui::testing
