#pragma once

#include <optional>

#include "cli/command_context.h"
#include "core/int_setting.h"
#include "web/http_settings.h"

namespace quexa::cli {

// The proxy of the profile and the time-out a task would use, unless the command line gives
// its own time-out.
web::HttpSettings LoadHttpSettings(const CommandContext& context,
                                   const core::IntSetting& timeoutSetting,
                                   std::optional<int> timeoutSeconds);

}  // namespace quexa::cli
