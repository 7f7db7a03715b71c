#include "cli/search_command.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/choice_lookup.h"
#include "cli/item_printer.h"
#include "cli/stop_request.h"
#include "cli/task_session.h"
#include "tasks/search_wizard.h"

namespace quexa::cli {
namespace {

struct SearchOptions {
    std::optional<std::string> category;
    std::optional<std::string> scheme;
    bool verify = false;
    std::string save;
    bool json = false;
    std::vector<std::string> keywords;
};

std::string JoinKeywords(const std::vector<std::string>& keywords) {
    std::string query;
    for (const std::string& keyword : keywords) {
        query += (query.empty() ? "" : " ") + keyword;
    }
    return query;
}

// The choices, or nothing after an error message. Without --category or --scheme the page keeps
// what it selects on opening: the remembered one.
std::optional<tasks::WizardChoices> Choose(TaskSession& session, const SearchOptions& options) {
    const std::optional<std::string> query =
        tasks::SearchWizard::CheckQuery(JoinKeywords(options.keywords));
    if (!query) {
        std::cerr << "Error: " << tasks::SearchWizard::kNoKeywords << "\n";
        return std::nullopt;
    }
    tasks::SearchWizard wizard(session.profile(), session.folders());
    const std::optional<std::size_t> category =
        options.category ? FindCategory(wizard.categories(), *options.category)
                         : wizard.RememberedCategory();
    if (!category) {
        std::cerr << "Error: unknown category \"" << *options.category
                  << "\" (quexa-cli categories lists them)\n";
        return std::nullopt;
    }
    if (!wizard.ChooseCategory(*category)) {
        std::cerr << "Error: the category file can't be read\n";
        return std::nullopt;
    }
    const std::string name = wizard.categories().StoredName(*category);
    const std::optional<std::size_t> scheme =
        options.scheme ? FindScheme(wizard.schemes(), *options.scheme) : wizard.RememberedScheme();
    if (!scheme) {
        std::cerr << "Error: unknown scheme \"" << *options.scheme << "\" of category \"" << name
                  << "\" (quexa-cli schemes '" << name << "' lists them)\n";
        return std::nullopt;
    }
    return wizard.Finish(*scheme, *query);
}

int Search(const SearchOptions& options, const CommandContext& context) {
    TaskSession session(context, std::nullopt);
    const std::optional<tasks::WizardChoices> choices = Choose(session, options);
    if (!choices) {
        return 1;
    }
    tasks::SearchWizard::Remember(session.profile(), *choices, options.verify);

    const StopRequest stop;
    tasks::TaskControl& control = session.control();
    control.BeginNewSearch(nullptr);
    if (!control.RunInternetSearch()) {
        if (session.host().errorShown()) {
            return 1;
        }
        session.line().Message(
            "Error: nothing was searched: the scheme selects no engine, or its file can't be "
            "read");
        return 1;
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
