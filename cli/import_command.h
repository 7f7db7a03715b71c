#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `import INTO.qzr FROM.qzr [--password TEXT] [--from-password TEXT]`: the Import command:
// adds the items of FROM behind those of INTO (skipping listed locations when ImportADE is
// set) and saves the merged list into INTO, which keeps its own header.
void AddImportCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
