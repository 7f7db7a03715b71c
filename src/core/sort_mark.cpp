#include "core/sort_mark.h"

namespace quexa::core {

SortChoice SortMark::Click(ResultCell cell) {
    const bool again = current_ && current_->cell == cell;
    current_ = SortChoice{cell, again && !current_->descending};
    return *current_;
}

}  // namespace quexa::core
