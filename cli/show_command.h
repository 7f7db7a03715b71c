#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `show FILE.qzr [--password TEXT] [--json]`: the header and the items of a result file.
void AddShowCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
