#include "cli/find_command.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/item_printer.h"
#include "cli/stop_request.h"
#include "cli/task_session.h"
#include "core/keyword_history.h"
#include "core/settings_table.h"
#include "files/folder_search.h"
#include "files/pattern_list.h"
#include "tasks/intranet_search.h"

namespace quexa::cli {
namespace {

namespace settings = core::settings;

struct FindOptions {
    std::vector<std::string> targets;
    std::vector<std::string> patterns;
    std::string save;
    bool json = false;
};

std::string JoinPatterns(const std::vector<std::string>& patterns) {
    std::string text;
    for (const std::string& pattern : patterns) {
        text += (text.empty() ? "" : ";") + pattern;
    }
    return text;
}

// As the wizard stores them: each target followed by ";", folders made absolute.
std::string TargetText(const std::vector<std::string>& targets) {
    std::string text;
    for (const std::string& target : targets) {
        const bool remote = files::FolderSearch::IsNetworkForm(target) ||
                            target.starts_with("\\\\") || target.find(":/") != std::string::npos;
        text += remote || target.empty() ? target : std::filesystem::absolute(target).string();
        text += ';';
    }
    return text;
}

// What the two wizard pages would store.
void Remember(TaskSession& session, const std::string& patterns, const std::string& targets) {
    core::Profile& profile = session.profile();
    settings::kIntranetPatterns.Write(profile, patterns);
    settings::kLastSearchTarget.Write(profile, targets);
    const core::KeywordHistory history = core::KeywordHistory::Intranet();
    history.Add(profile, patterns, history.Load(profile));
}

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
    const std::string patterns = JoinPatterns(options.patterns);
    if (files::PatternList::IsBlank(patterns)) {
        std::cerr << "Warrning\n" << tasks::IntranetSearch::kWrongPatternMessage << "\n";
        return 1;
    }
    TaskSession session(context, std::nullopt);
    Remember(session, patterns, TargetText(options.targets));
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
