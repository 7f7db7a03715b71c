#pragma once

#include <string_view>

namespace quexa::web {

// The status code in raw headers: NUL-separated lines, the list ending with an empty line.
// Taken from the first line holding "http" in any letter case, as its first three consecutive
// digits; 0 when there is no such line or no such digits.
int StatusCodeFromRawHeaders(std::string_view rawHeaders);

}  // namespace quexa::web
