#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `categories [--json]`: the categories a search can use, the Global category first.
void AddCategoriesCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
