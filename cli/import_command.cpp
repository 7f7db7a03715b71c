#include "cli/import_command.h"

#include <iostream>
#include <optional>
#include <string>

#include "cli/console_prompter.h"
#include "cli/task_session.h"
#include "core/settings_table.h"
#include "files/list_export.h"
#include "files/result_file.h"
#include "files/result_import.h"
#include "tasks/result_document.h"

namespace quexa::cli {
namespace {

struct ImportOptions {
    std::string into;
    std::string from;
    std::optional<std::string> password;
    std::optional<std::string> fromPassword;
};

std::optional<files::ResultFileHeader> Open(TaskSession& session, const std::string& path) {
    if (!files::PromptForPassword(path, session.prompter())) {
        return std::nullopt;
    }
    files::LoadOptions load;
    load.skipListed = core::settings::kDropDuplicates.ReadFlag(session.profile());
    load.previewHeight = session.cache().previewHeight;
    files::LoadedFile loaded = files::LoadResultFile(path, session.list(), load);
    if (!loaded.Loaded()) {
        tasks::ResultDocument::TellLoadFailure(loaded.outcome, session.prompter());
        return std::nullopt;
    }
    return loaded.header;
}

int Import(const ImportOptions& options, const CommandContext& context) {
    TaskSession session(context, options.password);
    const std::optional<files::ResultFileHeader> header = Open(session, options.into);
    if (!header) {
        std::cerr << "Error: can't load " << options.into << "\n";
        return 1;
    }
    const std::size_t before = session.list().Count();
    ConsolePrompter fromPrompter(session.line(), options.fromPassword);
    const files::LoadedFile imported =
        files::ImportResultFile(options.from, session.list(), session.profile(), fromPrompter,
                                session.cache().previewHeight);
    if (!imported.Loaded()) {
        tasks::ResultDocument::TellLoadFailure(imported.outcome, fromPrompter);
        std::cerr << "Error: can't import " << options.from << "\n";
        return 1;
    }
    if (!files::WriteResultFile(options.into, session.list(), *header)) {
        session.prompter().Tell(core::Prompter::Title::Error, files::kExportFailed);
        return 1;
    }
    std::cout << "Imported " << session.list().Count() - before << " items into " << options.into
              << "\n";
    return std::cout ? 0 : 1;
}

}  // namespace

void AddImportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ImportOptions>();
    CLI::App* command = app.add_subcommand("import", "Add the items of one result file to another");
    command->footer(
        "Items whose location INTO already lists are skipped when the settings say so "
        "(System\\ResultList ImportADE, default 1). INTO keeps its key words, note and password.");
    command->add_option("INTO", options->into, "Result file that receives the items")->required();
    command->add_option("FROM", options->from, "Result file to import")->required();
    command->add_option("--password", options->password, "Password of INTO when protected");
    command->add_option("--from-password", options->fromPassword,
                        "Password of FROM when protected");
    command->callback([options, &context] { context.exitCode = Import(*options, context); });
}

}  // namespace quexa::cli
