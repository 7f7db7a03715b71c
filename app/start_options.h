#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tasks/search_mode.h"

namespace quexa::app {

// What the command line of the window asks for.
struct StartOptions {
    std::string home;
    std::string settingsFile;
    // Runs New Search at once (the demo and scripted starts).
    std::optional<tasks::SearchMode> search;
    // A result file to open; other names are ignored.
    std::vector<std::string> files;
    // Closes the window as soon as it has started (checks of an installation).
    bool quit = false;
    // Set when the program should end at once with this code (help, version, a bad option).
    std::optional<int> exitCode;

    // Parses what QApplication left of the command line.
    static StartOptions Parse(const std::vector<std::string>& arguments);
    // --help and --version print their text and need no display.
    static bool AnswersWithoutWindow(const std::vector<std::string>& arguments);
};

}  // namespace quexa::app
