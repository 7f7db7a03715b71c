#include "tasks/hang_up_countdown.h"

namespace quexa::tasks {

bool HangUpCountdown::Start() {
    elapsed_ = 0;
    finished_ = false;
    const std::optional<std::vector<DialUpConnections::Connection>> active = connections_.List();
    if (active && active->empty()) {
        finished_ = true;
        return false;
    }
    return true;
}

bool HangUpCountdown::Tick() {
    if (finished_) {
        return true;
    }
    ++elapsed_;
    if (elapsed_ >= kTicks) {
        Finish();
    }
    return finished_;
}

void HangUpCountdown::HangUpNow() {
    if (!finished_) {
        Finish();
    }
}

void HangUpCountdown::Cancel() {
    finished_ = true;
}

void HangUpCountdown::Finish() {
    finished_ = true;
    // A connection that stays up is not reported: the task has ended anyway.
    connections_.HangUpAll();
}

}  // namespace quexa::tasks
