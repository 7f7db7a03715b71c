#pragma once

#include <string_view>

namespace quexa::tasks {

// The state an engine's row shows in the engine bar. The numbers index the row's picture.
enum class EngineState : int { Idle = 0, Connecting = 1, Searching = 2, Finished = 3, Abort = 4 };

// The row texts: "Idel", "Connecting", "Searching", "Finished", "Abort"; any other number "Idel".
std::string_view EngineStateText(int state);

}  // namespace quexa::tasks
