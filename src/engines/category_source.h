#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engines/category_file.h"

namespace quexa::engines {

// The readable form of the category file: a "[category]" line opens each record, followed by
// "key=value" lines (name, icon, directory, note). Lines starting with "#" and empty lines are
// skipped.
class CategorySource {
  public:
    // Fills records from the text; on failure says why (with the line number) in error.
    static bool Parse(std::string_view text, std::vector<CategoryRecord>& records,
                      std::string& error);
    static std::string Format(const std::vector<CategoryRecord>& records);
};

}  // namespace quexa::engines
