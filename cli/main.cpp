// quexa-cli: the program's logic without windows, for scripts, tests and benchmarks.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/categories_command.h"
#include "cli/category_command.h"
#include "cli/command_context.h"
#include "cli/config_command.h"
#include "cli/engine_command.h"
#include "cli/export_command.h"
#include "cli/extract_command.h"
#include "cli/fetch_command.h"
#include "cli/find_command.h"
#include "cli/import_command.h"
#include "cli/passwd_command.h"
#include "cli/save_command.h"
#include "cli/schemes_command.h"
#include "cli/search_command.h"
#include "cli/settings_loader.h"
#include "cli/show_command.h"
#include "cli/status_command.h"
#include "cli/verify_command.h"

int main(int argc, char** argv) {
    CLI::App app{"Quexa: metasearch and file search from the command line", "quexa-cli"};
    app.set_version_flag("--version", "quexa-cli 1.0.0");
    app.require_subcommand(1);

    quexa::cli::CommandContext context;
    app.add_option("--home", context.home, "Folder holding everything Quexa reads and writes");
    app.add_option("--settings", context.settingsFile,
                   "Settings file to use instead of the default");

    quexa::cli::AddCategoriesCommand(app, context);
    quexa::cli::AddCategoryCommand(app, context);
    quexa::cli::AddConfigCommand(app, context);
    quexa::cli::AddEngineCommand(app, context);
    quexa::cli::AddExportCommand(app, context);
    quexa::cli::AddExtractCommand(app, context);
    quexa::cli::AddFetchCommand(app, context);
    quexa::cli::AddFindCommand(app, context);
    quexa::cli::AddImportCommand(app, context);
    quexa::cli::AddPasswdCommand(app, context);
    quexa::cli::AddSaveCommand(app, context);
    quexa::cli::AddSchemesCommand(app, context);
    quexa::cli::AddSearchCommand(app, context);
    quexa::cli::AddShowCommand(app, context);
    quexa::cli::AddStatusCommand(app, context);
    quexa::cli::AddVerifyCommand(app, context);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    } catch (const quexa::cli::SettingsRefused& error) {
        std::cerr << "Error: " << error.what() << "\n";
        return 1;
    }
    return context.exitCode;
}
