#include "app/start_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace quexa::app {

StartOptions StartOptions::Parse(const std::vector<std::string>& arguments) {
    StartOptions options;
    CLI::App app{"Quexa: metasearch and file search", "quexa"};
    app.set_version_flag("--version", "quexa 1.03");
    app.add_option("--home", options.home, "Folder holding everything Quexa reads and writes");
    app.add_option("--settings", options.settingsFile,
                   "Settings file to use instead of the default");
    std::string search;
    app.add_option("--search", search,
                   "Start New Search at once: internet, intranet or free, with what the settings "
                   "hold for it")
        ->check(CLI::IsMember({"internet", "intranet", "free"}, CLI::ignore_case));
    app.add_flag("--quit", options.quit, "Close the window as soon as it has started");
    app.add_option("FILE", options.files, "A result file (.qzr) to open");
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        options.exitCode = app.exit(error);
        return options;
    }
    if (!search.empty()) {
        options.search = tasks::ParseSearchMode(search);
    }
    return options;
}

bool StartOptions::AnswersWithoutWindow(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "--help" || argument == "-h" || argument == "--version";
    });
}

}  // namespace quexa::app
