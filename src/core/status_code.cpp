#include "core/status_code.h"

namespace quexa::core {

std::string_view CodeText(int code) {
    switch (code) {
        case 3:
            return "Reachable";
        case 4:
            return "Timeout";
        case 5:
            return "Unknown";
        case 6:
            return "Unreachable";
        case 7:
            return "Verifing";
        case 8:
            return "Without Visit";
        case 9:
            return "Visited";
        case 10:
            return "Normal";
        default:
            return {};
    }
}

}  // namespace quexa::core
