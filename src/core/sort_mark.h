#pragma once

#include <optional>

#include "core/result_column.h"

namespace quexa::core {

// How the list is to be sorted: by one cell, one way.
struct SortChoice {
    ResultCell cell = ResultCell::Title;
    bool descending = false;

    bool operator==(const SortChoice&) const = default;
};

// The header's sort mark: which column the list was sorted by last, and which way. A click on
// that column again turns the order round; a click on another column sorts it ascending.
class SortMark {
  public:
    // The sort a click on the header of that cell's column asks for; it becomes the mark.
    SortChoice Click(ResultCell cell);
    // None until the first click, and after Clear.
    std::optional<SortChoice> Current() const { return current_; }
    void Clear() { current_.reset(); }

  private:
    std::optional<SortChoice> current_;
};

}  // namespace quexa::core
