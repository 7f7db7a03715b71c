#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quexa::testing {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    // The child was still running at the time-out and was killed.
    bool timedOut = false;
};

struct CliOptions {
    std::string input;
    // "NAME=value" entries added to or replacing the test's own environment.
    std::vector<std::string> environment;
    // Names taken out of the environment before the entries above are added.
    std::vector<std::string> unset;
    // The working folder; empty: the test's own.
    std::filesystem::path folder;
    // A child that hangs is killed after this and fails its test instead of holding up the run.
    std::chrono::milliseconds timeout = std::chrono::minutes(5);
};

// quexa-cli (the path the test was built with) as its own process, so that a test can signal
// it while it runs. No shell is involved, so arguments need no quoting.
class CliProcess {
  public:
    explicit CliProcess(const std::vector<std::string>& arguments, CliOptions options = {});
    // Kills a child that still runs.
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    void Signal(int signal) const;
    // Feeds the input, collects what it printed and waits for the end; the exit code is 128 +
    // the signal when a signal ended it.
    CliResult Wait();

  private:
    pid_t pid_ = -1;
    std::string input_;
    std::chrono::steady_clock::time_point deadline_;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
};

// Runs quexa-cli to its end with the input on stdin and collects what it printed.
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = {});
CliResult RunCli(const std::vector<std::string>& arguments, const CliOptions& options);

// RunCli with --home HOME and --settings HOME/settings.conf before the arguments: a program
// folder and settings of the test's own.
CliResult RunCliAtHome(const std::filesystem::path& home, std::vector<std::string> arguments,
                       const std::string& input = {});

// The lines of a text, without their line breaks.
std::vector<std::string> Lines(const std::string& text);

}  // namespace quexa::testing
