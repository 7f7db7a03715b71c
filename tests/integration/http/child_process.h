#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace quexa::test {

// A program run as its own process, its output going to files.
class ChildProcess {
  public:
    struct Result {
        int exitCode;
        std::string out;
        std::string err;
    };

    // program is looked up on PATH unless it holds a slash; environment entries ("NAME=value")
    // are added to or replace the test's own.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, const std::string& outFile,
                 const std::string& errFile);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool Running();
    // The exit code, or 128 + signal.
    int Wait();
    // SIGTERM, then SIGKILL when it has not ended within five seconds.
    void Terminate();

    // Runs the program to its end and returns what it printed.
    static Result Run(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, const std::string& folder);

  private:
    pid_t pid_ = -1;
    int status_ = 0;
};

std::string ReadWholeFile(const std::string& path);

}  // namespace quexa::test
