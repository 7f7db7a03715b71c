#include "cli/find_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/item_printer.h"
#include "cli/stop_request.h"
#include "cli/task_session.h"
#include "files/pattern_list.h"
#include "tasks/intranet_search.h"
#include "tasks/intranet_wizard.h"

namespace quexa::cli {
namespace {

struct FindOptions {
    std::vector<std::string> targets;
    std::vector<std::string> patterns;
    std::string save;
    bool json = false;
};

// Looks for a Ctrl-C once before every directory entry, where the search lets pending work run.
void WatchForStop(TaskSession& session, const StopRequest& stop) {
    session.mainThread().Post([&session, &stop] {
        if (!session.control().state().taskRunning) {
            return;
        }
        if (stop.Requested()) {
            session.line().Message("Note: stopping the task");
            session.control().StopTask();
            return;
        }
        WatchForStop(session, stop);
    });
}

int Find(const FindOptions& options, const CommandContext& context) {
    const std::string patterns = tasks::IntranetWizard::JoinPatterns(options.patterns);
    if (files::PatternList::IsBlank(patterns)) {
        std::cerr << "Warrning\n" << tasks::IntranetSearch::kWrongPatternMessage << "\n";
        return 1;
    }
    TaskSession session(context, std::nullopt);
    tasks::IntranetWizard::Remember(session.profile(), patterns,
                                    tasks::IntranetWizard::TargetText(options.targets));
    const StopRequest stop;
    tasks::TaskControl& control = session.control();
    control.BeginNewSearch(nullptr);
    WatchForStop(session, stop);
    const bool ran = control.RunIntranetSearch([&] {
        if (!options.save.empty()) {
            session.SaveList(options.save);
        }
    });
    session.line().Clear();
    if (!ran) {
        return 1;
    }
    PrintItems(session.list(), options.json, std::cout);
    if (!options.save.empty() && !session.SaveList(options.save)) {
        return 1;
    }
    if (stop.Requested()) {
        return StopRequest::kInterruptedExit;
    }
    return std::cout ? 0 : 1;
}

}  // namespace

void AddFindCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<FindOptions>();
    CLI::App* find = app.add_subcommand(
        "find", "Search folders and network shares for names matching wildcard patterns");
    find->add_option("patterns", options->patterns,
                     "Patterns separated by \";\" (\"*\" any run, \"?\" one character, letter "
                     "case ignored, \"*.*\" every name)")
        ->required();
    find->add_option("--target", options->targets,
                     "Folder or share to search (repeatable; default: the mounted network shares)")
        ->allow_extra_args(false);
    find->add_option("--save", options->save, "Also save the items as a result file");
    find->add_flag("--json", options->json,
                   "JSON Lines: one object per item with \"title\", \"location\", \"target\", "
                   "\"preview\", \"status\", \"visit\" and \"selected\"");
    find->callback([options, &context] { context.exitCode = Find(*options, context); });
}

}  // namespace quexa::cli
