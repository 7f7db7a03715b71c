#include "core/result_list.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/text.h"

namespace quexa::core {
namespace {

std::size_t CellLimit(ResultCell cell) {
    return cell == ResultCell::Title ? ResultItem::kTitleLimit : ResultList::kCellTextLimit;
}

// The control's rows are "|"-separated, so no cell text may hold one.
std::string CellTextFrom(std::string_view text, ResultCell cell) {
    std::string out(text);
    RemoveChar(out, '|');
    CutInPlace(out, CellLimit(cell));
    return out;
}

// The text member behind an item's cell, or nullptr for the other cells.
template <typename Item>
auto TextCell(Item& item, ResultCell cell) -> decltype(&item.title) {
    switch (cell) {
        case ResultCell::Preview:
            return &item.preview;
        case ResultCell::Title:
            return &item.title;
        case ResultCell::Location:
            return &item.location;
        case ResultCell::SearchTarget:
            return &item.searchTarget;
        default:
            return nullptr;
    }
}

VisitCode KnownVisit(VisitCode visit) {
    return visit == VisitCode::Visited ? VisitCode::Visited : VisitCode::WithoutVisit;
}

}  // namespace

ResultList::ResultList() : ResultList(std::make_shared<LocationSet>()) {}

ResultList::ResultList(std::shared_ptr<LocationSet> locations) : locations_(std::move(locations)) {}

ResultList::Added ResultList::AddItem(std::ptrdiff_t position, ResultItem item) {
    RemoveSeparators(item);
    // The key is the location as given; the cell below may be shorter.
    const bool alreadyListed = !locations_->Insert(item.location);
    return {Place(position, std::move(item)), alreadyListed};
}

std::optional<std::size_t> ResultList::AddUnlistedItem(std::ptrdiff_t position, ResultItem item) {
    RemoveSeparators(item);
    if (!locations_->Insert(item.location)) {
        return std::nullopt;
    }
    return Place(position, std::move(item));
}

std::size_t ResultList::AppendPreparedItems(std::span<PreparedItem> items, bool onlyUnlisted) {
    constexpr std::size_t kRun = 256;
    std::array<std::string_view, kRun> locations;
    std::array<std::uint64_t, kRun> hashes{};
    std::array<bool, kRun> inserted{};
    std::size_t added = 0;
    for (std::size_t start = 0; start < items.size(); start += kRun) {
        const std::span<PreparedItem> run =
            items.subspan(start, std::min(kRun, items.size() - start));
        for (std::size_t i = 0; i < run.size(); ++i) {
            locations[i] = run[i].item_.location;
            hashes[i] = run[i].hash_;
        }
        locations_->InsertAll(std::span(locations).first(run.size()),
                              std::span(hashes).first(run.size()), inserted);
        for (std::size_t i = 0; i < run.size(); ++i) {
            if (inserted[i] || !onlyUnlisted) {
                Place(static_cast<std::ptrdiff_t>(rows_.size()), std::move(run[i].item_));
                ++added;
            }
        }
    }
    return added;
}

void ResultList::Reserve(std::size_t more) {
    rows_.reserve(rows_.size() + more);
    locations_->Reserve(locations_->Size() + more);
}

void ResultList::RemoveSeparators(ResultItem& item) {
    for (std::string* text : {&item.title, &item.location, &item.searchTarget, &item.preview}) {
        RemoveChar(*text, '|');
    }
}

std::size_t ResultList::Place(std::ptrdiff_t position, ResultItem&& item) {
    const std::size_t row =
        position < 0 ? 0 : std::min(static_cast<std::size_t>(position), rows_.size());
    if (item.preview.size() > kPreviewCutAbove) {
        CutInPlace(item.preview, kPreviewKept);
        item.preview += "...";
    }
    CutInPlace(item.title, ResultItem::kTitleLimit);
    std::unique_ptr<std::string> longKey;
    if (item.location.size() > kCellTextLimit) {
        longKey = std::make_unique<std::string>(item.location);
    }
    for (std::string* text : {&item.location, &item.searchTarget, &item.preview}) {
        CutInPlace(*text, kCellTextLimit);
    }
    item.visit = KnownVisit(item.visit);
    const bool selected = item.selected;

    if (observer_ != nullptr) {
        observer_->RowAboutToBeInserted(row);
    }
    if (row == rows_.size()) {
        rows_.emplace_back(std::move(item), row, std::move(longKey));
    } else {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row),
                     Row(std::move(item), row, std::move(longKey)));
    }
    selectedCount_ += selected ? 1 : 0;
    modified_ = true;
    if (observer_ != nullptr) {
        observer_->RowInserted(row);
    }
    return row;
}

ResultList::Added ResultList::AddItemByHand(std::optional<std::size_t> currentRow,
                                            ResultItem item) {
    item.selected = false;
    const std::size_t position = std::min(currentRow.value_or(0), rows_.size());
    return AddItem(static_cast<std::ptrdiff_t>(position), std::move(item));
}

std::string_view ResultList::CellText(std::size_t row, ResultCell cell) const {
    if (row >= rows_.size()) {
        return {};
    }
    const Row& r = rows_[row];
    if (cell == ResultCell::VerifyMark) {
        return r.checked ? kChecked : kNotChecked;
    }
    const std::string* text = TextCell(r.item, cell);
    return text == nullptr ? std::string_view() : std::string_view(*text);
}

bool ResultList::SetCellText(std::size_t row, ResultCell cell, std::string_view text) {
    if (row >= rows_.size()) {
        return false;
    }
    Row& r = rows_[row];
    if (cell == ResultCell::VerifyMark) {
        if (text != kChecked && text != kNotChecked) {
            return false;
        }
        r.checked = text == kChecked;
    } else if (std::string* target = TextCell(r.item, cell); target != nullptr) {
        std::string value = CellTextFrom(text, cell);
        if (cell == ResultCell::Location && value != *target) {
            r.longKey.reset();
        }
        *target = std::move(value);
    } else {
        return false;
    }
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::SetStatus(std::size_t row, StatusCode status) {
    if (row >= rows_.size()) {
        return false;
    }
    rows_[row].item.status = status;
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::SetVisit(std::size_t row, VisitCode visit) {
    if (row >= rows_.size()) {
        return false;
    }
    rows_[row].item.visit = KnownVisit(visit);
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::SetSelected(std::size_t row, bool selected) {
    if (row >= rows_.size()) {
        return false;
    }
    bool& current = rows_[row].item.selected;
    if (current != selected) {
        selectedCount_ = selected ? selectedCount_ + 1 : selectedCount_ - 1;
        current = selected;
    }
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::EditItem(std::size_t row, const ResultItem& values) {
    if (row >= rows_.size()) {
        return false;
    }
    ResultItem& item = rows_[row].item;
    std::string location = CellTextFrom(values.location, ResultCell::Location);
    if (location != item.location) {
        // From now on the row stands for the location it shows.
        rows_[row].longKey.reset();
    }
    item.title = CellTextFrom(values.title, ResultCell::Title);
    item.location = std::move(location);
    item.searchTarget = CellTextFrom(values.searchTarget, ResultCell::SearchTarget);
    item.preview = CellTextFrom(values.preview, ResultCell::Preview);
    item.status = values.status;
    item.visit = KnownVisit(values.visit);
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::DeleteItem(std::size_t row) {
    return Delete(row, Upkeep::Full);
}

bool ResultList::DeleteVerifiedItem(std::size_t row) {
    return Delete(row, Upkeep::KeepModified);
}

bool ResultList::RemoveRow(std::size_t row) {
    return Delete(row, Upkeep::RowOnly);
}

bool ResultList::Delete(std::size_t row, Upkeep upkeep) {
    if (row >= rows_.size()) {
        return false;
    }
    if (observer_ != nullptr) {
        observer_->RowAboutToBeRemoved(row);
    }
    const auto it = rows_.begin() + static_cast<std::ptrdiff_t>(row);
    if (upkeep != Upkeep::RowOnly) {
        locations_->Remove(it->Key());
    }
    if (upkeep == Upkeep::Full) {
        modified_ = true;
    }
    selectedCount_ -= it->item.selected ? 1 : 0;
    rows_.erase(it);
    if (observer_ != nullptr) {
        observer_->RowRemoved(row);
    }
    return true;
}

std::size_t ResultList::DeleteSelected() {
    if (selectedCount_ == 0) {
        return 0;
    }
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    // One pass: the kept rows slide down over the deleted ones.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].item.selected) {
            locations_->Remove(rows_[i].Key());
            continue;
        }
        if (kept != i) {
            rows_[kept] = std::move(rows_[i]);
        }
        ++kept;
    }
    const std::size_t deleted = rows_.size() - kept;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(kept), rows_.end());
    selectedCount_ = 0;
    modified_ = true;
    if (observer_ != nullptr) {
        observer_->Reset();
    }
    return deleted;
}

void ResultList::DeleteAll() {
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    if (!rows_.empty()) {
        modified_ = true;
    }
    // Give the memory back: a big list may not come again.
    std::vector<Row>().swap(rows_);
    locations_->Clear();
    selectedCount_ = 0;
    if (observer_ != nullptr) {
        observer_->Reset();
    }
}

void ResultList::SelectAll() {
    SetAllSelected([](bool) { return true; });
}

void ResultList::UnselectAll() {
    SetAllSelected([](bool) { return false; });
}

void ResultList::ReverseSelect() {
    SetAllSelected([](bool selected) { return !selected; });
}

void ResultList::SetAllSelected(bool (*next)(bool)) {
    if (rows_.empty()) {
        return;
    }
    std::size_t count = 0;
    for (Row& r : rows_) {
        r.item.selected = next(r.item.selected);
        count += r.item.selected ? 1 : 0;
    }
    selectedCount_ = count;
    modified_ = true;
    AllRowsChanged();
}

template <typename Match>
std::size_t ResultList::CheckMatching(Match match) {
    std::size_t matched = 0;
    for (Row& r : rows_) {
        if (match(r.item)) {
            ++matched;
            selectedCount_ += r.item.selected ? 0 : 1;
            r.item.selected = true;
        }
    }
    if (matched > 0) {
        modified_ = true;
        AllRowsChanged();
    }
    return matched;
}

std::size_t ResultList::SelectStatus(StatusCode status) {
    return CheckMatching([status](const ResultItem& item) { return item.status == status; });
}

std::size_t ResultList::SelectVisited() {
    return CheckMatching([](const ResultItem& item) { return item.visit == VisitCode::Visited; });
}

ResultList::Summary ResultList::Summarize() const {
    Summary s;
    for (const Row& r : rows_) {
        switch (r.item.status) {
            case StatusCode::Reachable:
                ++s.reachable;
                break;
            case StatusCode::Timeout:
                ++s.timeout;
                break;
            case StatusCode::Unknown:
                ++s.unknown;
                break;
            case StatusCode::Unreachable:
                ++s.unreachable;
                break;
            case StatusCode::Verifing:
                ++s.verifing;
                break;
            case StatusCode::Normal:
                ++s.normal;
                break;
        }
        ++(r.item.visit == VisitCode::Visited ? s.visited : s.withoutVisit);
    }
    return s;
}

void ResultList::RowChanged(std::size_t row) {
    if (observer_ != nullptr) {
        observer_->RowsChanged(row, row);
    }
}

void ResultList::AllRowsChanged() {
    if (observer_ != nullptr && !rows_.empty()) {
        observer_->RowsChanged(0, rows_.size() - 1);
    }
}

}  // namespace quexa::core
