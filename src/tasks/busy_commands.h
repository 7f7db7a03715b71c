#pragma once

#include "core/busy_state.h"
#include "tasks/command_rules.h"

namespace quexa::tasks {

// How the busy state knows a menu command: the group of commands a long loop refuses alike.
core::Command BusyCommandOf(Command command);

// The command's state while that work runs: its own rule, and refused when the work refuses
// it. An Intranet search, for one, lets the list be edited.
CommandState StateWhileBusy(Command command, CommandContext context, const core::BusyState& busy);

}  // namespace quexa::tasks
