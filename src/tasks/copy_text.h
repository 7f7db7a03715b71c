#pragma once

#include <optional>
#include <string>

#include "core/result_item.h"
#include "tasks/clipboard.h"
#include "tasks/command_rules.h"

namespace quexa::tasks {

// What a copy command puts on the clipboard for the current row; nothing for any other
// command.
std::optional<std::string> CopyText(Command command, const core::ResultItem& item);

// Runs a copy command: true when the command was one and its text went to the clipboard.
bool CopyToClipboard(Command command, const core::ResultItem& item, Clipboard& clipboard);

}  // namespace quexa::tasks
