#pragma once

#include <string>
#include <vector>

namespace quexa::testing {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs quexa-cli (the path the test was built with) with the arguments and the given input on
// stdin, and collects what it printed. No shell is involved, so arguments need no quoting.
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = {});

// The lines of a text, without their line breaks.
std::vector<std::string> Lines(const std::string& text);

}  // namespace quexa::testing
