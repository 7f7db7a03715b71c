#include "recording_host.h"

#include <algorithm>

namespace quexa::testing {

void RecordingHost::OpenWait(std::string_view text) {
    events.push_back("wait: " + std::string(text));
}

void RecordingHost::SetWaitProgress(int /*position*/, int total) {
    waitTotal = total;
}

bool RecordingHost::RunAutoVerifyCountdown() {
    events.push_back(countdownAnswer ? "countdown ok" : "countdown cancel");
    return countdownAnswer;
}

int RecordingHost::Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

}  // namespace quexa::testing
