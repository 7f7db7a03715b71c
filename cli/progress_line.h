#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace quexa::cli {

// stderr as long work uses it: one progress line rewritten in place, shown only on a terminal,
// and messages that always appear, each on a line of its own.
class ProgressLine {
  public:
    ProgressLine(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}
    // On when stderr is a terminal.
    static ProgressLine ForStderr();

    // Replaces the progress line; nothing when it is off or the text has not changed.
    void Show(std::string_view text);
    void Clear();
    // Clears the progress line and prints the text with a line break.
    void Message(std::string_view text);

  private:
    std::ostream& out_;
    bool enabled_;
    std::string shown_;
};

}  // namespace quexa::cli
