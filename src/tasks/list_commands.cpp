#include "tasks/list_commands.h"

namespace quexa::tasks {
namespace {

using C = Command;

bool Confirmed(core::Prompter& prompter, std::string_view question) {
    return prompter.Ask(core::Prompter::Title::Warning, question, core::Prompter::Buttons::YesNo) ==
           core::Prompter::Answer::Yes;
}

ListChange Checked(void (core::ResultList::*command)(), core::ResultList& list) {
    (list.*command)();
    return ListChange::Checks;
}

ListChange Deleted(std::size_t rows) {
    return rows > 0 ? ListChange::Rows : ListChange::None;
}

ListChange DeleteRows(Command command, core::ResultList& list,
                      std::optional<std::size_t> currentRow, core::Prompter& prompter) {
    switch (command) {
        case C::DeleteCurrent:
            return Deleted(currentRow && list.DeleteItem(*currentRow) ? 1 : 0);
        case C::DeleteSelected:
            if (!list.HasSelection() ||
                !Confirmed(prompter, core::ResultList::kDeleteSelectedQuestion)) {
                return ListChange::None;
            }
            return Deleted(list.DeleteSelected());
        case C::DeleteAll: {
            if (list.Empty() || !Confirmed(prompter, core::ResultList::kDeleteAllQuestion)) {
                return ListChange::None;
            }
            const std::size_t rows = list.Count();
            list.DeleteAll();
            return Deleted(rows);
        }
        default:
            return ListChange::None;
    }
}

ListChange SelectStatus(core::ResultList& list, core::StatusCode status) {
    return list.SelectStatus(status) > 0 ? ListChange::Checks : ListChange::None;
}

}  // namespace

ListChange RunListCommand(Command command, core::ResultList& list,
                          std::optional<std::size_t> currentRow, core::Prompter& prompter) {
    switch (command) {
        case C::SelectAll:
            return Checked(&core::ResultList::SelectAll, list);
        case C::UnselectAll:
            return Checked(&core::ResultList::UnselectAll, list);
        case C::ReverseSelect:
            return Checked(&core::ResultList::ReverseSelect, list);
        case C::SelectReachable:
            return SelectStatus(list, core::StatusCode::Reachable);
        case C::SelectUnreachable:
            return SelectStatus(list, core::StatusCode::Unreachable);
        case C::SelectNormal:
            return SelectStatus(list, core::StatusCode::Normal);
        case C::SelectUnknown:
            return SelectStatus(list, core::StatusCode::Unknown);
        case C::SelectVisited:
            return list.SelectVisited() > 0 ? ListChange::Checks : ListChange::None;
        default:
            return DeleteRows(command, list, currentRow, prompter);
    }
}

std::size_t AddItemByHand(core::ResultList& list, std::optional<std::size_t> currentRow,
                          const core::ResultItem& values, core::Prompter& prompter) {
    const core::ResultList::Added added = list.AddItemByHand(currentRow, values);
    if (added.alreadyListed) {
        prompter.Tell(core::Prompter::Title::Note, core::ResultList::kItemExistsNote);
    }
    return added.row;
}

}  // namespace quexa::tasks
