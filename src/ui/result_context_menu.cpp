#include "ui/result_context_menu.h"

#include <QAction>

#include <algorithm>

namespace quexa::ui {
namespace {

using C = tasks::Command;

// Each of these opens a group of its own under a separator.
bool BeginsGroup(C command) {
    switch (command) {
        case C::AddItem:
        case C::CopyItem:
        case C::SelectAll:
        case C::DeleteCurrent:
        case C::AddToFavorite:
        case C::CopyCurrentTarget:
        case C::Import:
        case C::Summarize:
            return true;
        default:
            return false;
    }
}

}  // namespace

ResultContextMenu::ResultContextMenu(States states, QWidget* parent)
    : QMenu(parent), states_(std::move(states)) {
    setAccessibleName(QString::fromLatin1(kName));
    for (const tasks::CommandInfo& info : tasks::AllCommands()) {
        // The menus of the main window come first; the context menu's begin with Browser
        // Target, and the File menu's Export All Seemly has a rule of its own.
        if (info.command < C::BrowserTarget) {
            continue;
        }
        AddEntry(info.command);
        // Export All is the File menu's command, shared.
        if (info.command == C::Import) {
            AddEntry(C::ExportAll);
        }
    }
    connect(this, &QMenu::aboutToShow, this, &ResultContextMenu::Refresh);
}

void ResultContextMenu::AddEntry(tasks::Command command) {
    if (BeginsGroup(command)) {
        addSeparator();
    }
    const std::string_view text = tasks::InfoOf(command).text;
    QAction* action =
        addAction(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    connect(action, &QAction::triggered, this, [this, command] { Q_EMIT CommandChosen(command); });
    entries_.emplace_back(command, action);
}

QAction* ResultContextMenu::ActionOf(tasks::Command command) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [command](const auto& entry) {
        return entry.first == command;
    });
    return found == entries_.end() ? nullptr : found->second;
}

void ResultContextMenu::Refresh() {
    for (const auto& [command, action] : entries_) {
        action->setEnabled(states_(command).enabled);
    }
}

}  // namespace quexa::ui
