#include "cli/password_input.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>

namespace quexa::cli {
namespace {

// Turns the terminal's echo off for its lifetime, and back on however the read ends.
class EchoOff {
  public:
    EchoOff() : active_(tcgetattr(STDIN_FILENO, &saved_) == 0) {
        if (active_) {
            termios quiet = saved_;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
        }
    }
    ~EchoOff() {
        if (active_) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

  private:
    termios saved_{};
    bool active_;
};

std::optional<std::string> ReadLine() {
    std::string line;
    if (!std::getline(std::cin, line)) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

}  // namespace

std::optional<std::string> PasswordInput::Read(std::string_view prompt) {
    if (isatty(STDIN_FILENO) != 1) {
        return ReadLine();
    }
    std::cerr << prompt << std::flush;
    std::optional<std::string> line;
    {
        const EchoOff echoOff;
        line = ReadLine();
    }
    // The Enter key was not echoed either.
    std::cerr << "\n";
    return line;
}

}  // namespace quexa::cli
