#pragma once

#include "core/status_code.h"

namespace quexa::web {

// What a verification records for the status code of a location's headers (0: no answer).
core::StatusCode VerificationResult(int statusCode);

}  // namespace quexa::web
