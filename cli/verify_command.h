#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `verify FILE.qzr [--save] [--json] [--password TEXT]`: Verify Result over a result file.
void AddVerifyCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
