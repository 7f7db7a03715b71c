#include "core/row_positions.h"

#include <algorithm>

namespace quexa::core {

void RowPositions::Reset() {
    std::vector<std::uint32_t>().swap(number_);
    gone_.clear();
    next_ = 0;
    valid_ = true;
}

void RowPositions::Appended(std::uint32_t slot) {
    if (!valid_) {
        return;
    }
    if (slot == number_.size()) {
        number_.push_back(next_++);
        return;
    }
    if (slot > number_.size()) {
        number_.resize(static_cast<std::size_t>(slot) + 1);
    }
    number_[slot] = next_++;
}

void RowPositions::Removed(std::uint32_t slot) {
    if (!valid_) {
        return;
    }
    if (gone_.size() >= kMaxGone) {
        valid_ = false;
        return;
    }
    const std::uint32_t number = number_[slot];
    gone_.insert(std::upper_bound(gone_.begin(), gone_.end(), number), number);
}

std::size_t RowPositions::PositionOf(std::uint32_t slot, std::span<const std::uint32_t> order) {
    if (!valid_) {
        Count(order);
    }
    const std::uint32_t number = number_[slot];
    const auto goneBefore = std::lower_bound(gone_.begin(), gone_.end(), number) - gone_.begin();
    return number - static_cast<std::size_t>(goneBefore);
}

void RowPositions::Count(std::span<const std::uint32_t> order) {
    std::uint32_t slots = 0;
    for (const std::uint32_t slot : order) {
        slots = std::max(slots, slot + 1);
    }
    number_.assign(slots, 0);
    for (std::size_t position = 0; position < order.size(); ++position) {
        number_[order[position]] = static_cast<std::uint32_t>(position);
    }
    gone_.clear();
    next_ = static_cast<std::uint32_t>(order.size());
    valid_ = true;
}

}  // namespace quexa::core
