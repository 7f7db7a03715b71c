#pragma once

#include <CLI/CLI.hpp>

#include "cli/command_context.h"

namespace quexa::cli {

// `export FILE.qzr OUT [--rule] [--tab] [--password TEXT]`: writes the items of a result file
// as the Export command does, the format chosen by OUT's extension (.htm/.html, .txt, .qzr,
// .qzs), or as TAB-separated text with --tab. --rule takes only the rows meeting the export
// rule of the settings.
void AddExportCommand(CLI::App& app, CommandContext& context);

}  // namespace quexa::cli
