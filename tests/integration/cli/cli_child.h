#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quexa::test {

// quexa-cli run as its own process, stdin empty and its output going to files, so that a test
// can signal it while it runs.
class CliChild {
  public:
    struct Result {
        int exitCode = -1;  // 128 + signal when a signal ended it
        std::string out;
        std::string err;
    };

    CliChild(const std::vector<std::string>& arguments, const std::filesystem::path& folder);
    // Kills a child that still runs.
    ~CliChild();
    CliChild(const CliChild&) = delete;
    CliChild& operator=(const CliChild&) = delete;

    void Signal(int signal) const;
    // Waits for the end and collects what it printed.
    Result Wait();

    static Result Run(const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);

  private:
    pid_t pid_ = -1;
    std::filesystem::path outFile_;
    std::filesystem::path errFile_;
};

}  // namespace quexa::test
