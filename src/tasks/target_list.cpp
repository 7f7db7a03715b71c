#include "tasks/target_list.h"

#include <algorithm>

#include "core/text.h"

namespace quexa::tasks {

TargetList::TargetList() : rows_{Row{std::string(kAllResources), true}} {}

void TargetList::SetCurrent(std::optional<std::size_t> row) {
    current_ = row && *row < rows_.size() ? row : std::nullopt;
}

std::optional<std::size_t> TargetList::Add(std::string_view text) {
    const std::string_view trimmed = core::Trim(text);
    if (trimmed.empty()) {
        return std::nullopt;
    }
    const std::string lowered = core::AsciiLower(trimmed);
    const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const Row& row) {
        return core::AsciiLower(row.text) == lowered;
    });
    if (found != rows_.end()) {
        found->ticked = true;
        return static_cast<std::size_t>(found - rows_.begin());
    }
    rows_.push_back(Row{std::string(trimmed), true});
    return rows_.size() - 1;
}

void TargetList::Toggle(std::size_t row) {
    if (row < rows_.size()) {
        rows_[row].ticked = !rows_[row].ticked;
    }
}

void TargetList::SetTicked(std::size_t row, bool ticked) {
    if (row < rows_.size()) {
        rows_[row].ticked = ticked;
    }
}

bool TargetList::AnyTicked() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.ticked; });
}

bool TargetList::CanSelectAll() const {
    return !std::all_of(rows_.begin(), rows_.end(), [](const Row& row) { return row.ticked; });
}

bool TargetList::CanUnselect() const {
    return AnyTicked();
}

bool TargetList::CanRemove() const {
    return current_ && *current_ > 0;
}

bool TargetList::CanRemoveSelected() const {
    return AnyTicked() && rows_.size() > 1;
}

bool TargetList::CanRemoveAll() const {
    return rows_.size() > 1;
}

void TargetList::SelectAll() {
    for (Row& row : rows_) {
        row.ticked = true;
    }
}

void TargetList::Unselect() {
    for (Row& row : rows_) {
        row.ticked = false;
    }
}

void TargetList::ReverseSelect() {
    for (Row& row : rows_) {
        row.ticked = !row.ticked;
    }
}

void TargetList::Remove() {
    if (!CanRemove()) {
        return;
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*current_));
    current_.reset();
}

void TargetList::RemoveSelected() {
    if (!CanRemoveSelected()) {
        return;
    }
    // The first row stays whatever its tick: it stands for the whole network.
    rows_.erase(
        std::remove_if(rows_.begin() + 1, rows_.end(), [](const Row& row) { return row.ticked; }),
        rows_.end());
    current_.reset();
}

void TargetList::RemoveAll() {
    rows_.assign(1, Row{std::string(kAllResources), true});
    current_.reset();
}

std::optional<std::string> TargetList::TargetText() const {
    if (!AnyTicked()) {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t row = 1; row < rows_.size(); ++row) {
        if (rows_[row].ticked) {
            text += rows_[row].text + ';';
        }
    }
    return text;
}

}  // namespace quexa::tasks
