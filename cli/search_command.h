#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `search [--category NAME] [--scheme NAME] [--verify] [--save OUT.qzr] [--json] KEYWORDS...`:
// the choices of the Internet search wizard written to the profile, then New Search.
void AddSearchCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
