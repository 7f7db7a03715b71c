#pragma once

#include <string>

namespace quexa::tasks {

// The state every task kind shares, and the main frame's part of it.
struct TaskState {
    static constexpr char kInternetMode = 'A';
    static constexpr char kIntranetMode = 'B';
    static constexpr char kFreeEditMode = 'C';

    bool taskRunning = false;
    bool verifyRunning = false;
    bool stoppedByUser = false;
    bool autoVerifyPending = false;
    bool hangUpShown = false;
    int totalAtStop = 0;
    int stopProgress = 0;

    char searchMode = kFreeEditMode;
    std::string currentQuery;
    // The scheme description of an Internet search, the target of an Intranet search.
    std::string searchTarget;
    std::string currentFile;
};

}  // namespace quexa::tasks
