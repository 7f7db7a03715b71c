#pragma once

#include <string_view>

namespace quexa::core {

// The numbers are stored in result files and index the status and visit pictures, so they never
// change.
enum class StatusCode : int {
    Reachable = 3,
    Timeout = 4,
    Unknown = 5,
    Unreachable = 6,
    Verifing = 7,
    Normal = 10,
};

enum class VisitCode : int {
    WithoutVisit = 8,
    Visited = 9,
};

// The display text of a status or visit code; empty for any other number.
std::string_view CodeText(int code);
inline std::string_view StatusText(StatusCode code) {
    return CodeText(static_cast<int>(code));
}
inline std::string_view VisitText(VisitCode code) {
    return CodeText(static_cast<int>(code));
}

}  // namespace quexa::core
