#include "cli/progress_line.h"

#include <unistd.h>

#include <iostream>

namespace quexa::cli {
namespace {

// Back to the start of the line and erase it.
constexpr std::string_view kEraseLine = "\r\033[K";

}  // namespace

ProgressLine ProgressLine::ForStderr() {
    return ProgressLine(std::cerr, isatty(STDERR_FILENO) == 1);
}

void ProgressLine::Show(std::string_view text) {
    if (!enabled_ || text == shown_) {
        return;
    }
    shown_ = std::string(text);
    out_ << kEraseLine << shown_ << std::flush;
}

void ProgressLine::Clear() {
    if (!shown_.empty()) {
        out_ << kEraseLine << std::flush;
        shown_.clear();
    }
}

void ProgressLine::Message(std::string_view text) {
    Clear();
    out_ << text << std::endl;
}

}  // namespace quexa::cli
