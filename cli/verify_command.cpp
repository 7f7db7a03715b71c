#include "cli/verify_command.h"

#include <iostream>
#include <optional>
#include <string>

#include "cli/item_printer.h"
#include "cli/stop_request.h"
#include "cli/task_session.h"
#include "core/settings_table.h"
#include "files/result_file.h"
#include "tasks/result_document.h"

namespace quexa::cli {
namespace {

struct VerifyOptions {
    std::string file;
    std::optional<std::string> password;
    bool save = false;
    bool json = false;
};

std::optional<files::ResultFileHeader> Load(TaskSession& session, const VerifyOptions& options) {
    if (!files::PromptForPassword(options.file, session.prompter())) {
        return std::nullopt;
    }
    files::LoadOptions load;
    load.skipListed = core::settings::kDropDuplicates.ReadFlag(session.profile());
    load.previewHeight = session.cache().previewHeight;
    files::LoadedFile loaded = files::LoadResultFile(options.file, session.list(), load);
    if (!loaded.Loaded()) {
        tasks::ResultDocument::TellLoadFailure(loaded.outcome, session.prompter());
        return std::nullopt;
    }
    return loaded.header;
}

int Verify(const VerifyOptions& options, const CommandContext& context) {
    TaskSession session(context, options.password);
    const std::optional<files::ResultFileHeader> header = Load(session, options);
    if (!header) {
        std::cerr << "Error: can't load " << options.file << "\n";
        return 1;
    }
    tasks::TaskState& state = session.control().state();
    state.searchMode = header->mode;
    state.currentQuery = header->keywords;
    state.searchTarget = header->searchTarget;
    state.currentFile = options.file;
    session.list().ClearModified();

    const StopRequest stop;
    // Nothing to ask the web about: file items are checked all the same, no task runs.
    session.control().VerifyResult();
    const bool stopped = session.RunToEnd(stop);
    PrintItems(session.list(), options.json, std::cout);
    // The file keeps its description, note and password; only its items change.
    if (options.save && !files::WriteResultFile(options.file, session.list(), *header)) {
        std::cerr << "Error: can't save " << options.file << "\n";
        return 1;
    }
    return stopped ? StopRequest::kInterruptedExit : 0;
}

}  // namespace

void AddVerifyCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<VerifyOptions>();
    CLI::App* verify = app.add_subcommand("verify", "Verify the items of a result file");
    verify->footer(
        "Web locations are asked for their status, file locations looked up; the verify rule of "
        "the settings (CheckOpt) picks the items and what to delete. Prints the items with their "
        "new status as search does. Ctrl-C stops (exit code 130).");
    verify->add_option("FILE", options->file, "Result file (.qzr)")->required();
    verify->add_flag("--save", options->save, "Write the verified list back into the file");
    verify->add_flag("--json", options->json, "JSON Lines: one object per item");
    verify->add_option("--password", options->password, "Password of a protected file");
    verify->callback([options, &context] { context.exitCode = Verify(*options, context); });
}

}  // namespace quexa::cli
