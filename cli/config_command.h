#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// config get SECTION KEY, config set SECTION KEY VALUE, config list.
void AddConfigCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
