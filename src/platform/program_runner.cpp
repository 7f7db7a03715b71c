#include "platform/program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace quexa::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    explicit Descriptor(int value) : fd(value) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    void Close() {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
};

// The process's environment with LC_ALL=C in front.
std::vector<std::string> PlainEnvironment() {
    std::vector<std::string> entries{"LC_ALL=C"};
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "LC_ALL=", 7) != 0) {
            entries.emplace_back(*entry);
        }
    }
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Reads until the end of the output, the limit or the deadline; false when the program must be
// stopped.
bool Collect(int fd, const ProgramRunner::Limits& limits, std::string& output) {
    const Clock::time_point deadline = Clock::now() + limits.timeout;
    std::array<char, 4096> buffer{};
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd watched{fd, POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got == 0;
        }
        if (output.size() + static_cast<std::size_t>(got) > limits.maxOutput) {
            return false;
        }
        output.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

int Reap(pid_t child, bool stop) {
    if (stop) {
        ::kill(child, SIGKILL);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (stop || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

std::optional<ProgramRunner::Result> ProgramRunner::Run(const std::vector<std::string>& arguments,
                                                        Limits limits) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    std::array<int, 2> pipeEnds{};
    if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    Descriptor reading(pipeEnds[0]);
    Descriptor writing(pipeEnds[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writing.fd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environment = PlainEnvironment();
    const std::vector<char*> argv = Pointers(argumentCopy);
    const std::vector<char*> envp = Pointers(environment);
    pid_t child = 0;
    const int spawned =
        ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    writing.Close();
    if (spawned != 0) {
        return std::nullopt;
    }
    Result result;
    const bool complete = Collect(reading.fd, limits, result.output);
    result.exitCode = Reap(child, !complete);
    return result;
}

}  // namespace quexa::platform
