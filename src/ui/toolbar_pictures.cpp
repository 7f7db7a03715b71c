#include "ui/toolbar_pictures.h"

#include <algorithm>
#include <array>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

using tasks::Command;

struct Button {
    Command command;
    const char* picture;
    const char* theme;  // empty when no standard name fits
};

constexpr std::array kButtons = {
    Button{Command::Open, "tool_open", "document-open"},
    Button{Command::Save, "tool_save", "document-save"},
    Button{Command::NewSearch, "tool_new_search", "edit-find"},
    Button{Command::VerifyResult, "tool_verify", ""},
    Button{Command::StopTask, "tool_stop", "process-stop"},
    Button{Command::AutoScroll, "tool_auto_scroll", ""},
    Button{Command::PreviewInformation, "tool_preview", ""},
    Button{Command::FileManager, "tool_file_manager", ""},
    Button{Command::FastInfo, "tool_fast_info", "dialog-information"},
    Button{Command::Option, "tool_option", "preferences-system"},
    Button{Command::HelpTopic, "tool_help", "help-contents"},
};

constexpr std::array<Command, kButtons.size()> CommandsInOrder() {
    std::array<Command, kButtons.size()> commands{};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        commands[i] = kButtons[i].command;
    }
    return commands;
}

constexpr std::array kCommands = CommandsInOrder();

const Button* Find(Command command) {
    const auto* found = std::find_if(kButtons.begin(), kButtons.end(),
                                     [command](const Button& b) { return b.command == command; });
    return found == kButtons.end() ? nullptr : found;
}

}  // namespace

std::span<const Command> ToolbarPictures::Commands() {
    return kCommands;
}

QString ToolbarPictures::PictureName(Command command) {
    const Button* button = Find(command);
    return button != nullptr ? QString::fromLatin1(button->picture) : QString();
}

QString ToolbarPictures::ThemeName(Command command) {
    const Button* button = Find(command);
    return button != nullptr ? QString::fromLatin1(button->theme) : QString();
}

QIcon ToolbarPictures::OwnIconOf(Command command) {
    const QString name = PictureName(command);
    QIcon icon;
    if (name.isEmpty()) {
        return icon;
    }
    for (const int size : kSizes) {
        const QPixmap pixmap = PictureBook::Picture(name, QSize(size, size));
        if (!pixmap.isNull()) {
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

QIcon ToolbarPictures::IconOf(Command command) {
    const QString theme = ThemeName(command);
    if (theme.isEmpty()) {
        return OwnIconOf(command);
    }
    return QIcon::fromTheme(theme, OwnIconOf(command));
}

}  // namespace quexa::ui
