#include "cli/search_command.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/choice_lookup.h"
#include "cli/item_printer.h"
#include "cli/stop_request.h"
#include "cli/task_session.h"
#include "core/keyword_history.h"
#include "core/settings_table.h"
#include "core/text.h"
#include "engines/category_list.h"
#include "engines/scheme_list.h"

namespace quexa::cli {
namespace {

namespace settings = core::settings;

constexpr std::string_view kNoKeywords =
    "Please input at least one key word what you want to search !";

struct SearchOptions {
    std::optional<std::string> category;
    std::optional<std::string> scheme;
    bool verify = false;
    std::string save;
    bool json = false;
    std::vector<std::string> keywords;
};

// What the three wizard pages would store.
struct WizardChoices {
    std::string category;   // "LastCategory"
    std::string directory;  // the key of the remembered scheme
    std::string schemePath;
    std::string query;
};

std::string JoinKeywords(const std::vector<std::string>& keywords) {
    std::string query;
    for (const std::string& keyword : keywords) {
        query += (query.empty() ? "" : " ") + keyword;
    }
    return std::string(core::Trim(query));
}

// The choices, or nothing after an error message. Without --category or --scheme the page keeps
// what it selects on opening: the remembered one.
std::optional<WizardChoices> Choose(TaskSession& session, const SearchOptions& options) {
    WizardChoices choices;
    choices.query = JoinKeywords(options.keywords);
    if (choices.query.empty()) {
        std::cerr << "Error: " << kNoKeywords << "\n";
        return std::nullopt;
    }
    const std::string& appDirectory = session.cache().appDirectory;
    const engines::CategoryList categories = engines::CategoryList::Load(appDirectory);
    const std::optional<std::size_t> category =
        options.category ? FindCategory(categories, *options.category)
                         : categories.Select(settings::kLastCategory.Read(session.profile()));
    if (!category) {
        std::cerr << "Error: unknown category \"" << *options.category
                  << "\" (quexa-cli categories lists them)\n";
        return std::nullopt;
    }
    choices.category = categories.StoredName(*category);
    const std::string folder = engines::GetSchemeFolder(session.folders(), choices.category);
    if (folder.empty()) {
        std::cerr << "Error: the category file can't be read\n";
        return std::nullopt;
    }
    const std::vector<std::string> schemes = engines::ListSchemes(folder);
    choices.directory = engines::ResolveCategoryDir(appDirectory, choices.category);
    const std::optional<std::size_t> scheme =
        options.scheme
            ? FindScheme(schemes, *options.scheme)
            : engines::SelectRememberedScheme(
                  schemes, folder, engines::GetLastScheme(session.profile(), choices.directory));
    if (!scheme) {
        std::cerr << "Error: unknown scheme \"" << *options.scheme << "\" of category \""
                  << choices.category << "\" (quexa-cli schemes '" << choices.category
                  << "' lists them)\n";
        return std::nullopt;
    }
    choices.schemePath = engines::RememberedSchemeValue(schemes, folder, *scheme);
    return choices;
}

void Remember(TaskSession& session, const WizardChoices& choices, bool verify) {
    core::Profile& profile = session.profile();
    settings::kLastCategory.Write(profile, choices.category);
    if (!choices.directory.empty()) {
        engines::SetLastScheme(profile, choices.directory, choices.schemePath);
    }
    settings::kAutoVerify.Write(profile, verify ? 1 : 0);
    settings::kInternetKeywords.Write(profile, choices.query);
    const core::KeywordHistory history = core::KeywordHistory::Internet();
    history.Add(profile, choices.query, history.Load(profile));
}

int Search(const SearchOptions& options, const CommandContext& context) {
    TaskSession session(context, std::nullopt);
    const std::optional<WizardChoices> choices = Choose(session, options);
    if (!choices) {
        return 1;
    }
    Remember(session, *choices, options.verify);

    const StopRequest stop;
    tasks::TaskControl& control = session.control();
    control.BeginNewSearch(nullptr);
    if (!control.RunInternetSearch()) {
        if (session.host().errorShown()) {
            return 1;
        }
        session.line().Message(
            "Note: nothing was searched: the scheme has no engine to search, or its file can't "
            "be read");
    }
    const bool stopped = session.RunToEnd(stop);
    PrintItems(session.list(), options.json, std::cout);
    if (!options.save.empty() && !session.SaveList(options.save)) {
        return 1;
    }
    return stopped ? StopRequest::kInterruptedExit : 0;
}

}  // namespace

void AddSearchCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<SearchOptions>();
    CLI::App* search =
        app.add_subcommand("search", "Search the Internet with the engines of a category's scheme");
    search->footer(
        "The category, scheme, query and --verify are remembered as the search wizard remembers "
        "them. Prints one row per item: status, search target (engine), title and location; with "
        "--json one JSON object per line with \"title\", \"location\", \"target\", \"preview\", "
        "\"status\", \"visit\" and \"selected\". Progress goes to stderr when it is a terminal. "
        "Ctrl-C stops the search and keeps what was found (exit code 130); a second Ctrl-C quits "
        "at once.");
    search->add_option("--category", options->category,
                       "Category to search (quexa-cli categories); default: the last one");
    search->add_option("--scheme", options->scheme,
                       "Scheme of the category (quexa-cli schemes CATEGORY); default: the last "
                       "one of that category");
    search->add_flag("--verify", options->verify,
                     "Verify the items when the search has ended, without the countdown");
    search->add_option("--save", options->save, "Save the list as a result file (.qzr)");
    search->add_flag("--json", options->json, "JSON Lines: one object per item");
    search->add_option("KEYWORDS", options->keywords, "The query, joined with blanks")->required();
    search->callback([options, &context] { context.exitCode = Search(*options, context); });
}

}  // namespace quexa::cli
