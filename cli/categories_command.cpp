#include "cli/categories_command.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/settings_loader.h"
#include "core/settings_table.h"
#include "core/text.h"
#include "engines/category_list.h"

namespace quexa::cli {
namespace {

int ListCategories(bool json, const CommandContext& context) {
    const core::AppFolders folders = LocateFolders(context);
    const engines::CategoryList categories = engines::CategoryList::Load(folders.appDirectory);
    const std::size_t remembered =
        categories.Select(core::settings::kLastCategory.Read(*OpenProfile(context)));
    for (std::size_t index = 0; index < categories.entries().size(); ++index) {
        const std::string name = categories.StoredName(index);
        if (!json) {
            std::cout << core::EscapeControls(name) << "\n";
            continue;
        }
        const nlohmann::ordered_json object = {
            {"name", name},
            {"note", categories.NoteOf(index).value_or("")},
            {"remembered", index == remembered},
        };
        std::cout << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << "\n";
    }
    return 0;
}

}  // namespace

void AddCategoriesCommand(CLI::App& app, CommandContext& context) {
    auto json = std::make_shared<bool>(false);
    CLI::App* categories = app.add_subcommand("categories", "List the categories of a search");
    categories->footer(
        "One name per line, \"Global\" (The Web) first; with --json one object per line with "
        "\"name\", \"note\" and \"remembered\" (the one a search uses without --category).");
    categories->add_flag("--json", *json, "JSON Lines: one object per category");
    categories->callback([json, &context] { context.exitCode = ListCategories(*json, context); });
}

}  // namespace quexa::cli
