#include "cli/save_command.h"

#include <iostream>
#include <string>

#include "cli/file_session.h"
#include "cli/item_reader.h"

namespace quexa::cli {
namespace {

struct SaveOptions {
    std::string file;
    bool force = false;
};

int Save(const SaveOptions& options, const CommandContext& context) {
    ItemReader reader;
    if (!reader.Read(std::cin)) {
        std::cerr << "Error: " << reader.error() << "\n";
        return 1;
    }
    FileSession session(context, std::nullopt, options.force);
    for (core::ResultItem& item : reader.items()) {
        session.list().AddItem(static_cast<std::ptrdiff_t>(session.list().Count()),
                               std::move(item));
    }
    // Items put in by hand: a free-edit list.
    session.state().searchMode = tasks::TaskState::kFreeEditMode;
    session.document().MarkListInUse();
    return session.document().SaveTo(options.file) ? 0 : 1;
}

}  // namespace

void AddSaveCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SaveOptions>();
    CLI::App* save = app.add_subcommand("save", "Save items read from stdin as a result file");
    save->footer(
        "stdin holds one JSON object a line, with the keys search --json prints: \"title\", "
        "\"location\", \"target\", \"preview\", \"status\" (\"Reachable\", \"Timeout\", "
        "\"Unknown\", \"Unreachable\", \"Verifing\", \"Normal\"), \"visit\" (\"Without Visit\", "
        "\"Visited\") and \"selected\". Missing keys take the defaults. The list is saved as a "
        "free-edit list without password; an existing file is replaced only with --force.");
    save->add_option("OUT", options->file, "Result file to write (.qzr)")->required();
    save->add_flag("--force", options->force, "Replace an existing file");
    save->callback([options, &context] { context.exitCode = Save(*options, context); });
}

}  // namespace quexa::cli
