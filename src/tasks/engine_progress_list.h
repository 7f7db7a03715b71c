#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tasks/engine_state.h"

namespace quexa::tasks {

// The engine bar's list without its window: one row per engine of a search, found by name.
class EngineProgressList {
  public:
    struct Row {
        std::string name;
        int expected = 0;
        int position = 0;
        EngineState state = EngineState::Idle;
        int Result() const { return position; }
        int Remain() const { return expected - position; }
    };

    void Add(std::string_view name, int expected);
    // The first row of that name; nothing happens when there is none.
    void SetState(std::string_view name, EngineState state);
    void Step(std::string_view name);
    void Clear() { rows_.clear(); }

    const std::vector<Row>& rows() const { return rows_; }
    // The first row of that name, or nullptr.
    const Row* Find(std::string_view name) const;

  private:
    Row* FindRow(std::string_view name);

    std::vector<Row> rows_;
};

}  // namespace quexa::tasks
