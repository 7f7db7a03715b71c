#include "cli_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quexa::test {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Redirects a standard stream of the child; only async-signal-safe calls after fork.
void Redirect(const char* path, int flags, int target) {
    const int fd = open(path, flags, 0600);
    if (fd < 0 || dup2(fd, target) < 0) {
        _exit(127);
    }
    close(fd);
}

}  // namespace

CliChild::CliChild(const std::vector<std::string>& arguments, const std::filesystem::path& folder) {
    static std::atomic<int> serial{0};
    const std::string stem = "cli-" + std::to_string(serial.fetch_add(1));
    outFile_ = folder / (stem + ".out");
    errFile_ = folder / (stem + ".err");
    std::vector<std::string> argv{QUEXA_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    const std::string out = outFile_.string();
    const std::string err = errFile_.string();
    pid_ = fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork");
    }
    if (pid_ == 0) {
        Redirect("/dev/null", O_RDONLY, STDIN_FILENO);
        Redirect(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
        Redirect(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
}

CliChild::~CliChild() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void CliChild::Signal(int signal) const {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

CliChild::Result CliChild::Wait() {
    Result result;
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) {
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    pid_ = -1;
    result.out = ReadFile(outFile_);
    result.err = ReadFile(errFile_);
    return result;
}

CliChild::Result CliChild::Run(const std::vector<std::string>& arguments,
                               const std::filesystem::path& folder) {
    CliChild child(arguments, folder);
    return child.Wait();
}

}  // namespace quexa::test
