#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `category pack SRC OUT.qcf` and `category show FILE.qcf [--json]`.
void AddCategoryCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
