#pragma once

#include <string>

namespace quexa::cli {

// What every subcommand shares: the global options and the process's exit code.
struct CommandContext {
    std::string home;
    std::string settingsFile;
    int exitCode = 0;
};

}  // namespace quexa::cli
