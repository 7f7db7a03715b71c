#include "web/verification_result.h"

namespace quexa::web {

core::StatusCode VerificationResult(int statusCode) {
    switch (statusCode) {
        case 1:
        case 2:
        case 200:
        case 301:
            return core::StatusCode::Reachable;
        case 302:
        case 500:
        case 502:
            return core::StatusCode::Unknown;
        default:
            return core::StatusCode::Unreachable;
    }
}

}  // namespace quexa::web
