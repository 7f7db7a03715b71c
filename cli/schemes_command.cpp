#include "cli/schemes_command.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/choice_lookup.h"
#include "cli/settings_loader.h"
#include "core/text.h"
#include "engines/category_list.h"
#include "engines/scheme_list.h"

namespace quexa::cli {
namespace {

struct SchemesOptions {
    std::string category;
    bool json = false;
};

std::string NoteOf(const std::vector<std::string>& schemes, const std::string& folder,
                   std::size_t index) {
    if (index == 0) {
        return std::string(engines::kSystemSchemeNote);
    }
    return engines::ReadSchemeNote(engines::SchemePath(folder, schemes[index]));
}

int ListSchemes(const SchemesOptions& options, const CommandContext& context) {
    const core::AppFolders folders = LocateFolders(context);
    const engines::CategoryList categories = engines::CategoryList::Load(folders.appDirectory);
    const std::optional<std::size_t> category = FindCategory(categories, options.category);
    if (!category) {
        std::cerr << "Error: unknown category \"" << options.category
                  << "\" (quexa-cli categories lists them)\n";
        return 1;
    }
    const std::string name = categories.StoredName(*category);
    const std::string folder = engines::GetSchemeFolder(folders, name);
    if (folder.empty()) {
        std::cerr << "Error: the category file can't be read\n";
        return 1;
    }
    const std::vector<std::string> schemes = engines::ListSchemes(folder);
    const auto profile = OpenProfile(context);
    const std::size_t remembered = engines::SelectRememberedScheme(
        schemes, folder,
        engines::GetLastScheme(*profile, engines::ResolveCategoryDir(folders.appDirectory, name)));
    for (std::size_t index = 0; index < schemes.size(); ++index) {
        const std::string note = NoteOf(schemes, folder, index);
        if (!options.json) {
            std::cout << core::EscapeControls(schemes[index]) << "\t" << core::EscapeControls(note)
                      << "\n";
            continue;
        }
        const nlohmann::ordered_json object = {
            {"name", schemes[index]},
            {"note", note},
            {"remembered", index == remembered},
        };
        std::cout << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << "\n";
    }
    return 0;
}

}  // namespace

void AddSchemesCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SchemesOptions>();
    CLI::App* schemes = app.add_subcommand("schemes", "List the schemes of a category");
    schemes->footer(
        "\"System Scheme\" (every engine, 10 results each) first; each line holds the name, a TAB "
        "and the scheme's note. With --json one object per line with \"name\", \"note\" and "
        "\"remembered\" (the one a search uses without --scheme).");
    schemes->add_option("CATEGORY", options->category, "Category name (quexa-cli categories)")
        ->required();
    schemes->add_flag("--json", options->json, "JSON Lines: one object per scheme");
    schemes->callback([options, &context] { context.exitCode = ListSchemes(*options, context); });
}

}  // namespace quexa::cli
