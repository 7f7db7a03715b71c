#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `status URL [--timeout S]`: prints the status code of the location's headers and what a
// verification records for it ("Reachable", "Unknown" or "Unreachable").
void AddStatusCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
