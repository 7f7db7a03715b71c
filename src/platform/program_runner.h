#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quexa::platform {

// Runs a helper program found on PATH and keeps a bounded part of what it prints.
class ProgramRunner {
  public:
    struct Limits {
        std::size_t maxOutput = 256 * 1024;
        std::chrono::milliseconds timeout{5000};
    };
    struct Result {
        // -1 when it was killed: too slow, too talkative, or ended by a signal.
        int exitCode = -1;
        std::string output;
    };

    // arguments[0] is the program's name. Nothing when it cannot be started (not on PATH).
    // Its standard input and error are /dev/null; the C locale keeps its words untranslated.
    static std::optional<Result> Run(const std::vector<std::string>& arguments, Limits limits);
    static std::optional<Result> Run(const std::vector<std::string>& arguments) {
        return Run(arguments, Limits{});
    }
};

}  // namespace quexa::platform
