#pragma once

#include "tasks/dial_up_connections.h"

namespace quexa::tasks {

// The hang-up dialog's logic: a countdown of ten ticks after which every dial-up connection is
// hung up, cut short by "Hang Up" or ended by "Cancel" without hanging up.
class HangUpCountdown {
  public:
    static constexpr int kTicks = 10;

    explicit HangUpCountdown(DialUpConnections& connections) : connections_(connections) {}

    // Opening: false when the dialog has nothing to do and closes at once (the connections
    // were enumerated and none is active). A failed enumeration still counts down.
    bool Start();
    // One tick; true when the countdown has run out, the connections are hung up and the
    // dialog closes.
    bool Tick();
    // "Hang Up": at once.
    void HangUpNow();
    // "Cancel": nothing is hung up, and a later tick does nothing.
    void Cancel();

    int Elapsed() const { return elapsed_; }
    bool Finished() const { return finished_; }

  private:
    void Finish();

    DialUpConnections& connections_;
    int elapsed_ = 0;
    bool finished_ = false;
};

}  // namespace quexa::tasks
