#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `extract --engine E.qzf --page P.html [--json]`: what a search worker takes from one page.
void AddExtractCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
