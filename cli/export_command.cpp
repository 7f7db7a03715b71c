#include "cli/export_command.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "cli/task_session.h"
#include "core/settings_table.h"
#include "files/list_export.h"
#include "files/result_file.h"
#include "tasks/result_document.h"

namespace quexa::cli {
namespace {

struct ExportOptions {
    std::string file;
    std::string out;
    std::optional<std::string> password;
    bool rule = false;
    bool tab = false;
};

std::optional<files::ResultFileHeader> Load(TaskSession& session, const std::string& path) {
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

// What saving the list would write: the search of the file, this user as author, no note and
// no password.
files::ResultFileHeader ExportHeader(const files::ResultFileHeader& loaded,
                                     const core::SettingsCache& cache) {
    files::ResultFileHeader header;
    header.mode = loaded.mode;
    header.keywords = loaded.keywords;
    header.searchTarget = loaded.searchTarget;
    header.stateFileName = loaded.stateFileName;
    header.author = cache.authorName;
    return header;
}

int Export(const ExportOptions& options, const CommandContext& context) {
    TaskSession session(context, options.password);
    const std::optional<files::ResultFileHeader> loaded = Load(session, options.file);
    if (!loaded) {
        std::cerr << "Error: can't load " << options.file << "\n";
        return 1;
    }
    const files::ExportSource source{
        .list = session.list(),
        .profile = session.profile(),
        .header = ExportHeader(*loaded, session.cache()),
        .templatePath =
            std::filesystem::path(session.folders().appDirectory) / "Categories" / "html.htm",
        .progress = {},
        .fileProgress = {},
        .openPage = {},
    };
    const bool all = !options.rule;
    const bool written = options.tab
                             ? files::ExportTabList(options.out, all, source)
                             : files::ExportList(options.out, all, source, session.prompter());
    if (!written) {
        session.prompter().Tell(core::Prompter::Title::Error, files::kExportFailed);
        return 1;
    }
    return 0;
}

}  // namespace

void AddExportCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* command = app.add_subcommand(
        "export", "Export the items of a result file to HTML, text or a link list");
    command->footer(
        "The extension of OUT picks the format: .htm or .html (the page Categories/html.htm of "
        "the program folder, or the built-in page), .txt (plain text with the labels of the "
        "settings), .qzr (a result file), .qzs (a link list). The field switches and labels are "
        "those of the settings (System\\Export).");
    command->add_option("FILE", options->file, "Result file (.qzr)")->required();
    command->add_option("OUT", options->out, "File to write")->required();
    command->add_flag("--rule", options->rule,
                      "Only the rows meeting the export rule (\"Export All Seemly\")");
    command->add_flag("--tab", options->tab, "TAB-separated text, whatever the extension");
    command->add_option("--password", options->password, "Password of a protected file");
    command->callback([options, &context] { context.exitCode = Export(*options, context); });
}

}  // namespace quexa::cli
