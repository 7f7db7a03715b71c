#pragma once

#include <QIcon>
#include <QString>

#include <span>

#include "tasks/command_rules.h"

namespace quexa::ui {

// The pictures of the toolbar's buttons: the desktop theme's icon where a standard name fits
// the command, so the toolbar looks like the rest of the desktop, and ours (data/pictures)
// where none does or the theme lacks it.
class ToolbarPictures {
  public:
    // The sizes our pictures are rendered at, for toolbars, menus and large-icon settings.
    static constexpr int kSizes[] = {16, 22, 24, 32, 48};

    // The commands that have a button, in the toolbar's order.
    static std::span<const tasks::Command> Commands();
    // Our picture of a command (a name in data/pictures without ".svg"); empty when the
    // command has no button.
    static QString PictureName(tasks::Command command);
    // The standard icon name that fits a command; empty when none does.
    static QString ThemeName(tasks::Command command);
    // The theme's icon, else ours; null when the command has no button.
    static QIcon IconOf(tasks::Command command);
    // Ours alone, whatever the theme holds.
    static QIcon OwnIconOf(tasks::Command command);
};

}  // namespace quexa::ui
