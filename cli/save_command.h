#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `save OUT.qzr [--force]`: items as JSON Lines on stdin, saved as a free-edit list.
void AddSaveCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
