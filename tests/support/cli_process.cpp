#include "cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
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

// Feeds stdin and drains stdout and stderr together, so neither side can block the other.
void Exchange(Pipe& in, Pipe& out, Pipe& err, const std::string& input, CliResult& result) {
    std::size_t written = 0;
    if (input.empty()) {
        CloseFd(in.write);
    }
    std::array<char, 65536> buffer{};
    while (out.read >= 0 || err.read >= 0) {
        std::array<pollfd, 3> fds{
            {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}, {in.write, POLLOUT, 0}}};
        if (poll(fds.data(), fds.size(), -1) < 0) {
            break;
        }
        if (fds[2].revents != 0) {
            const ssize_t n = ::write(in.write, input.data() + written, input.size() - written);
            written += n > 0 ? static_cast<std::size_t>(n) : 0;
            if (n <= 0 || written == input.size()) {
                CloseFd(in.write);
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = ::read(fds[i].fd, buffer.data(), buffer.size());
            if (n <= 0) {
                CloseFd(i == 0 ? out.read : err.read);
            } else {
                (i == 0 ? result.out : result.err)
                    .append(buffer.data(), static_cast<std::size_t>(n));
            }
        }
    }
    CloseFd(in.write);
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input) {
    Pipe in, out, err;
    std::vector<std::string> argv{QUEXA_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        dup2(in.read, 0);
        dup2(out.write, 1);
        dup2(err.write, 2);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    CloseFd(in.read);
    CloseFd(out.write);
    CloseFd(err.write);
    CliResult result;
    Exchange(in, out, err, input, result);
    int status = 0;
    waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
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
