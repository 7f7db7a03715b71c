#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `engine pack SRC OUT.qzf` and `engine show FILE.qzf [--json]`.
void AddEngineCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
