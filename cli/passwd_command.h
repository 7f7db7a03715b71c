#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `passwd FILE.qzr [--old TEXT] [--new TEXT]`: sets, changes or removes a result file's password.
void AddPasswdCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
