#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `schemes CATEGORY [--json]`: the schemes of a category, the system scheme first.
void AddSchemesCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
