#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `find [--target PATH]... [--save OUT.qzr] [--json] PATTERNS`: an Intranet search for names
// matching the ";"-separated wildcard patterns below the targets, or below the mounted network
// shares without one. Prints the items as a table or, with --json, as JSON Lines.
void AddFindCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
