#pragma once

#include <cstddef>
#include <optional>

#include "core/prompter.h"
#include "core/result_item.h"
#include "core/result_list.h"
#include "tasks/command_rules.h"

namespace quexa::tasks {

// What a list command changed: the window refreshes its status texts only when rows came or
// went.
enum class ListChange { None, Checks, Rows };

// The selection and deletion commands of the result view, with the questions the deletions of
// many rows ask first. Any other command, or a current row out of range, changes nothing.
ListChange RunListCommand(Command command, core::ResultList& list,
                          std::optional<std::size_t> currentRow, core::Prompter& prompter);

// Add Item with the values of the "Edit Item" dialog: the row goes before the current one (at
// the top without one) even when its location is listed, which a note then says.
std::size_t AddItemByHand(core::ResultList& list, std::optional<std::size_t> currentRow,
                          const core::ResultItem& values, core::Prompter& prompter);

}  // namespace quexa::tasks
