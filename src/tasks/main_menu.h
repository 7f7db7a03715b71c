#pragma once

#include <span>
#include <string_view>

#include "tasks/command_rules.h"

namespace quexa::tasks {

// One drop-down menu of the main window: its title and its entries in order.
struct MenuInfo {
    std::string_view title;
    std::span<const Command> commands;
};

// The main window's menu bar, left to right.
std::span<const MenuInfo> MainMenus();
// The shortcut a command's text shows after its tab ("F1" of "Help Topic\tF1"), else empty.
std::string_view ShortcutOf(Command command);
// The text without the shortcut.
std::string_view CaptionOf(Command command);

}  // namespace quexa::tasks
