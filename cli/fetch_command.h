#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `fetch URL [--timeout S]`: prints the page as a search worker gets it, through the proxy of
// the settings and with their search time-out unless --timeout is given.
void AddFetchCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
