#pragma once

#include <string>
#include <thread>

#include "cli/progress_line.h"
#include "core/main_thread.h"
#include "core/wait_state.h"

namespace quexa::cli {

// The wait window of long file work as the progress line. Like the window, it looks at the
// wait state from a thread of its own every 100 ms; the text goes through the user-interface
// thread's queue, which the work runs between two rows, so the line is only written there.
class WaitLine {
  public:
    // Does nothing unless enabled (stderr is a terminal).
    WaitLine(const core::WaitState& wait, ProgressLine& line, core::MainThread& mainThread,
             bool enabled);
    ~WaitLine();
    WaitLine(const WaitLine&) = delete;
    WaitLine& operator=(const WaitLine&) = delete;

    // "Loading , please stand by ... ... (40/100)": the text, and the counter when it is shown.
    static std::string Text(const core::WaitState::Snapshot& snapshot);

  private:
    void Watch(const std::stop_token& stop);

    const core::WaitState& wait_;
    ProgressLine& line_;
    core::MainThread& mainThread_;
    std::jthread thread_;
};

}  // namespace quexa::cli
