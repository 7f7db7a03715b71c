#include "core/busy_state.h"

#include <utility>

namespace quexa::core {

bool Refuses(BusyWork work, Command command) {
    switch (command) {
        case Command::CopyItem:
        case Command::Options:
            return false;
        case Command::StopTask:
        case Command::AddItem:
        case Command::EditItem:
        case Command::DeleteCurrent:
        case Command::DeleteSelected:
        case Command::DeleteAll:
        case Command::Select:
        case Command::BrowseTarget:
        case Command::DeleteTarget:
            return work != BusyWork::None && work != BusyWork::IntranetSearch;
        default:
            return work != BusyWork::None;
    }
}

BusyState::Scope::Scope(BusyState& state, BusyWork work) : state_(state), outer_(state.current_) {
    state_.current_ = work;
}

BusyState::Scope::~Scope() {
    state_.End(outer_);
}

void BusyState::End(BusyWork outer) {
    const bool wasSorting = current_ == BusyWork::Sorting;
    current_ = outer;
    if (!wasSorting || outer == BusyWork::Sorting) {
        return;
    }
    // A deferred task may defer again only if another sort starts inside it.
    std::vector<Task> waiting;
    waiting.swap(deferred_);
    for (Task& task : waiting) {
        task();
    }
}

bool BusyState::DeferWhileSorting(Task task) {
    if (current_ != BusyWork::Sorting) {
        return false;
    }
    deferred_.push_back(std::move(task));
    return true;
}

}  // namespace quexa::core
