#pragma once

#include <string>
#include <string_view>

#include "engines/engine_record.h"

namespace quexa::engines {

// The readable form of an engine file: one "key=value" line per field, the value being the
// field's raw text to the end of the line. Lines starting with "#" and empty lines are skipped.
class EngineSource {
  public:
    // Fills record from the text; on failure says why (with the line number) in error.
    static bool Parse(std::string_view text, EngineRecord& record, std::string& error);
    static std::string Format(const EngineRecord& record);
};

}  // namespace quexa::engines
