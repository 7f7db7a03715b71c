#pragma once

#include <QMenu>

#include <functional>
#include <utility>
#include <vector>

#include "tasks/command_rules.h"

class QAction;

namespace quexa::ui {

// The result list's context menu: the view's commands with their texts, each enabled by its
// rule for the state of the moment it opens.
class ResultContextMenu : public QMenu {
    Q_OBJECT

  public:
    static constexpr const char* kName = "Result List Menu";
    // The state of a command now.
    using States = std::function<tasks::CommandState(tasks::Command)>;

    explicit ResultContextMenu(States states, QWidget* parent = nullptr);

    // Nothing for a command the menu does not have.
    QAction* ActionOf(tasks::Command command) const;
    const std::vector<std::pair<tasks::Command, QAction*>>& Entries() const { return entries_; }
    // Enables each entry by its rule; the menu does it itself before it shows.
    void Refresh();

  Q_SIGNALS:
    void CommandChosen(tasks::Command command);

  private:
    void AddEntry(tasks::Command command);

    States states_;
    std::vector<std::pair<tasks::Command, QAction*>> entries_;
};

}  // namespace quexa::ui
