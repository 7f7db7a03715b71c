#include "tasks/engine_progress_list.h"

#include <algorithm>
#include <utility>

namespace quexa::tasks {

void EngineProgressList::Add(std::string_view name, int expected) {
    rows_.push_back(Row{std::string(name), expected, 0, EngineState::Idle});
}

void EngineProgressList::SetState(std::string_view name, EngineState state) {
    if (Row* row = FindRow(name)) {
        row->state = state;
    }
}

void EngineProgressList::Step(std::string_view name) {
    if (Row* row = FindRow(name)) {
        ++row->position;
    }
}

const EngineProgressList::Row* EngineProgressList::Find(std::string_view name) const {
    const auto found =
        std::find_if(rows_.begin(), rows_.end(), [name](const Row& row) { return row.name == name; });
    return found == rows_.end() ? nullptr : &*found;
}

EngineProgressList::Row* EngineProgressList::FindRow(std::string_view name) {
    return const_cast<Row*>(std::as_const(*this).Find(name));
}

}  // namespace quexa::tasks
