#pragma once

#include <istream>
#include <string>
#include <vector>

#include "core/result_item.h"

namespace quexa::cli {

// Items as the item printer writes them with --json: one JSON object a line with "title",
// "location", "target", "preview" (texts), "status" and "visit" (their display texts, such as
// "Reachable" and "Visited") and "selected" (true or false). A missing key keeps the new item's
// default; blank lines are skipped.
class ItemReader {
  public:
    // False at the first line that is no such object; error() then says which and why.
    bool Read(std::istream& in);

    std::vector<core::ResultItem>& items() { return items_; }
    const std::string& error() const { return error_; }

  private:
    bool ReadLine(const std::string& line);

    std::vector<core::ResultItem> items_;
    std::string error_;
};

}  // namespace quexa::cli
