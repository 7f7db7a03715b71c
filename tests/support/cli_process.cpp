#include "cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace quexa::testing {
namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe");
        }
        read = fds[0];
        write = fds[1];
    }
};

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// Milliseconds left until the deadline for poll(), at least 0.
int MillisecondsLeft(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 60'000));
}

// Feeds stdin and drains stdout and stderr together, so neither side can block the other.
// False when the deadline passed first.
bool Exchange(int& in, int& out, int& err, const std::string& input,
              std::chrono::steady_clock::time_point deadline, CliResult& result) {
    std::size_t written = 0;
    if (input.empty()) {
        CloseFd(in);
    }
    std::array<char, 65536> buffer{};
    while (out >= 0 || err >= 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::array<pollfd, 3> fds{{{out, POLLIN, 0}, {err, POLLIN, 0}, {in, POLLOUT, 0}}};
        if (poll(fds.data(), fds.size(), MillisecondsLeft(deadline)) < 0) {
            break;
        }
        if (fds[2].revents != 0) {
            const ssize_t n = ::write(in, input.data() + written, input.size() - written);
            written += n > 0 ? static_cast<std::size_t>(n) : 0;
            if (n <= 0 || written == input.size()) {
                CloseFd(in);
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = ::read(fds[i].fd, buffer.data(), buffer.size());
            if (n <= 0) {
                CloseFd(i == 0 ? out : err);
            } else {
                (i == 0 ? result.out : result.err)
                    .append(buffer.data(), static_cast<std::size_t>(n));
            }
        }
    }
    CloseFd(in);
    return true;
}

// The test's environment without the names unset, with the entries given added or replaced.
std::vector<std::string> Environment(const CliOptions& options) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        entries.emplace_back(*entry);
    }
    for (const std::string& name : options.unset) {
        std::erase_if(entries,
                      [&](const std::string& entry) { return entry.starts_with(name + "="); });
    }
    for (const std::string& change : options.environment) {
        const std::string name = change.substr(0, change.find('=') + 1);
        std::erase_if(entries, [&](const std::string& entry) { return entry.starts_with(name); });
        entries.push_back(change);
    }
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

CliProcess::CliProcess(const std::vector<std::string>& arguments, CliOptions options)
    : input_(std::move(options.input)),
      deadline_(std::chrono::steady_clock::now() + options.timeout) {
    Pipe in, out, err;
    std::vector<std::string> argv{QUEXA_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = Environment(options);
    // Made before the fork: the child only calls what is safe there.
    std::vector<char*> argPointers = Pointers(argv);
    std::vector<char*> environmentPointers = Pointers(environment);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in.read, 0);
        dup2(out.write, 1);
        dup2(err.write, 2);
        if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) {
            _exit(127);
        }
        execve(argPointers[0], argPointers.data(), environmentPointers.data());
        _exit(127);
    }
    CloseFd(in.read);
    CloseFd(out.write);
    CloseFd(err.write);
    in_ = in.write;
    out_ = out.read;
    err_ = err.read;
}

CliProcess::~CliProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        Wait();
    }
}

void CliProcess::Signal(int signal) const {
    if (pid_ > 0) {
        kill(pid_, signal);
    }
}

CliResult CliProcess::Wait() {
    CliResult result;
    if (!Exchange(in_, out_, err_, input_, deadline_, result)) {
        result.timedOut = true;
        Signal(SIGKILL);
        CloseFd(in_);
        CloseFd(out_);
        CloseFd(err_);
    }
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, 0) == pid_) {
        result.exitCode = WIFEXITED(status)     ? WEXITSTATUS(status)
                          : WIFSIGNALED(status) ? 128 + WTERMSIG(status)
                                                : -1;
    }
    pid_ = -1;
    return result;
}

CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input) {
    CliOptions options;
    options.input = input;
    return RunCli(arguments, options);
}

CliResult RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
    return CliProcess(arguments, options).Wait();
}

CliResult RunCliAtHome(const std::filesystem::path& home, std::vector<std::string> arguments,
                       const std::string& input) {
    arguments.insert(arguments.begin(),
                     {"--home", home.string(), "--settings", (home / "settings.conf").string()});
    return RunCli(arguments, input);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace quexa::testing
