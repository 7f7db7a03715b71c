#include "core/result_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
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
    return {PlaceOne(position, std::move(item)), alreadyListed};
}

std::optional<std::size_t> ResultList::AddUnlistedItem(std::ptrdiff_t position, ResultItem item) {
    RemoveSeparators(item);
    if (!locations_->Insert(item.location)) {
        return std::nullopt;
    }
    return PlaceOne(position, std::move(item));
}

std::size_t ResultList::AppendItems(std::span<ResultItem> items) {
    if (items.empty()) {
        return 0;
    }
    const std::size_t first = order_.size();
    NotifyAboutToInsert(first, items.size());
    Reserve(items.size());
    for (ResultItem& item : items) {
        RemoveSeparators(item);
        locations_->Insert(item.location);
        Place(order_.size(), std::move(item));
    }
    NotifyInserted(first, items.size());
    return items.size();
}

std::size_t ResultList::AppendPreparedItems(std::span<PreparedItem> items, bool onlyUnlisted) {
    constexpr std::size_t kRun = 256;
    std::array<std::string_view, kRun> locations;
    std::array<std::uint64_t, kRun> hashes{};
    std::array<bool, kRun> inserted{};
    // The set decides first which items come, so that the batch is announced as one range.
    std::vector<bool> comes(items.size(), true);
    std::size_t added = items.size();
    for (std::size_t start = 0; start < items.size(); start += kRun) {
        const std::span<PreparedItem> run =
            items.subspan(start, std::min(kRun, items.size() - start));
        for (std::size_t i = 0; i < run.size(); ++i) {
            locations[i] = run[i].item_.location;
            hashes[i] = run[i].hash_;
        }
        locations_->InsertAll(std::span(locations).first(run.size()),
                              std::span(hashes).first(run.size()), inserted);
        for (std::size_t i = 0; i < run.size() && onlyUnlisted; ++i) {
            if (!inserted[i]) {
                comes[start + i] = false;
                --added;
            }
        }
    }
    if (added == 0) {
        return 0;
    }
    const std::size_t first = order_.size();
    NotifyAboutToInsert(first, added);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (comes[i]) {
            Place(order_.size(), std::move(items[i].item_));
        }
    }
    NotifyInserted(first, added);
    return added;
}

namespace {

// At least doubles what it grows, so that many small batches (a search's drains) stay linear.
template <typename Rows>
void GrowFor(Rows& rows, std::size_t needed) {
    if (needed > rows.capacity()) {
        rows.reserve(std::max(needed, 2 * rows.capacity()));
    }
}

}  // namespace

void ResultList::Reserve(std::size_t more) {
    GrowFor(slots_, order_.size() + more);
    GrowFor(order_, order_.size() + more);
    locations_->Reserve(locations_->Size() + more);
}

void ResultList::RemoveSeparators(ResultItem& item) {
    for (std::string* text : {&item.title, &item.location, &item.searchTarget, &item.preview}) {
        RemoveChar(*text, '|');
    }
}

std::size_t ResultList::RowFor(std::ptrdiff_t position) const {
    return position < 0 ? 0 : std::min(static_cast<std::size_t>(position), order_.size());
}

std::size_t ResultList::PlaceOne(std::ptrdiff_t position, ResultItem&& item) {
    const std::size_t row = RowFor(position);
    NotifyAboutToInsert(row, 1);
    Place(row, std::move(item));
    NotifyInserted(row, 1);
    return row;
}

void ResultList::Place(std::size_t row, ResultItem&& item) {
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

    const std::uint32_t slot = TakeSlot(std::move(item), row, std::move(longKey));
    if (row == order_.size()) {
        order_.push_back(slot);
        positions_.Appended(slot);
    } else {
        order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(row), slot);
        positions_.Invalidate();
    }
    selectedCount_ += selected ? 1 : 0;
    modified_ = true;
}

ResultList::Added ResultList::AddItemByHand(std::optional<std::size_t> currentRow,
                                            ResultItem item) {
    item.selected = false;
    const std::size_t position = std::min(currentRow.value_or(0), order_.size());
    return AddItem(static_cast<std::ptrdiff_t>(position), std::move(item));
}

std::string_view ResultList::CellText(std::size_t row, ResultCell cell) const {
    if (row >= order_.size()) {
        return {};
    }
    const Row& r = At(row);
    if (cell == ResultCell::VerifyMark) {
        return r.checked ? kChecked : kNotChecked;
    }
    const std::string* text = TextCell(r.item, cell);
    return text == nullptr ? std::string_view() : std::string_view(*text);
}

bool ResultList::SetCellText(std::size_t row, ResultCell cell, std::string_view text) {
    if (row >= order_.size()) {
        return false;
    }
    Row& r = At(row);
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
    if (row >= order_.size()) {
        return false;
    }
    At(row).item.status = status;
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::SetVisit(std::size_t row, VisitCode visit) {
    if (row >= order_.size()) {
        return false;
    }
    At(row).item.visit = KnownVisit(visit);
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::SetSelected(std::size_t row, bool selected) {
    if (row >= order_.size()) {
        return false;
    }
    bool& current = At(row).item.selected;
    if (current != selected) {
        selectedCount_ = selected ? selectedCount_ + 1 : selectedCount_ - 1;
        current = selected;
    }
    modified_ = true;
    RowChanged(row);
    return true;
}

bool ResultList::EditItem(std::size_t row, const ResultItem& values) {
    if (row >= order_.size()) {
        return false;
    }
    ResultItem& item = At(row).item;
    std::string location = CellTextFrom(values.location, ResultCell::Location);
    if (location != item.location) {
        // From now on the row stands for the location it shows.
        At(row).longKey.reset();
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
    if (row >= order_.size()) {
        return false;
    }
    if (observer_ != nullptr) {
        observer_->RowsAboutToBeRemoved(row, row);
    }
    RemoveRun(row, row, upkeep);
    if (observer_ != nullptr) {
        observer_->RowsRemoved(row, row);
    }
    return true;
}

std::size_t ResultList::DeleteSelected() {
    if (selectedCount_ == 0) {
        return 0;
    }
    std::vector<bool> doomed(order_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) {
        doomed[i] = At(i).item.selected;
    }
    return RemoveMarked(doomed, Upkeep::Full);
}

std::size_t ResultList::DeleteVerifiedItems(std::span<const RowId> rows) {
    std::vector<bool> doomed(order_.size());
    for (const RowId id : rows) {
        if (const std::optional<std::size_t> row = RowOf(id)) {
            doomed[*row] = true;
        }
    }
    return RemoveMarked(doomed, Upkeep::KeepModified);
}

std::size_t ResultList::RemoveMarked(const std::vector<bool>& doomed, Upkeep upkeep) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        if (!doomed[i]) {
            continue;
        }
        if (!runs.empty() && runs.back().second + 1 == i) {
            runs.back().second = i;
        } else if (runs.size() == kMaxRemovalRuns) {
            return RemoveScattered(doomed, upkeep);
        } else {
            runs.emplace_back(i, i);
        }
    }
    if (runs.empty()) {
        return 0;
    }
    std::size_t deleted = 0;
    // From the bottom up, so that the rows of the runs still to go keep their numbers.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        if (observer_ != nullptr) {
            observer_->RowsAboutToBeRemoved(run->first, run->second);
        }
        deleted += run->second - run->first + 1;
        RemoveRun(run->first, run->second, upkeep);
        if (observer_ != nullptr) {
            observer_->RowsRemoved(run->first, run->second);
        }
    }
    return deleted;
}

std::size_t ResultList::RemoveScattered(const std::vector<bool>& doomed, Upkeep upkeep) {
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    positions_.Invalidate();
    if (upkeep != Upkeep::RowOnly) {
        ForgetLocations(doomed);
    }
    // One pass: the kept rows slide down over the deleted ones.
    std::size_t kept = 0;
    for (std::size_t row = 0; row < order_.size(); ++row) {
        if (doomed[row]) {
            Forget(order_[row], upkeep, false);
        } else {
            order_[kept++] = order_[row];
        }
    }
    const std::size_t deleted = order_.size() - kept;
    order_.resize(kept);
    if (observer_ != nullptr) {
        observer_->Reset();
    }
    return deleted;
}

void ResultList::RemoveRun(std::size_t first, std::size_t last, Upkeep upkeep) {
    for (std::size_t row = first; row <= last; ++row) {
        Forget(order_[row], upkeep);
    }
    order_.erase(order_.begin() + static_cast<std::ptrdiff_t>(first),
                 order_.begin() + static_cast<std::ptrdiff_t>(last + 1));
}

void ResultList::ForgetLocations(const std::vector<bool>& doomed) {
    // In runs under one lock: the set's slots are fetched ahead instead of one miss at a time.
    constexpr std::size_t kRun = 256;
    std::vector<std::string_view> keys;
    keys.reserve(kRun);
    for (std::size_t row = 0; row < order_.size(); ++row) {
        if (doomed[row]) {
            keys.push_back(slots_[order_[row]].Key());
        }
        if (keys.size() == kRun || (row + 1 == order_.size() && !keys.empty())) {
            locations_->RemoveAll(keys);
            keys.clear();
        }
    }
}

void ResultList::Forget(std::uint32_t slot, Upkeep upkeep, bool location) {
    Row& r = slots_[slot];
    if (location && upkeep != Upkeep::RowOnly) {
        locations_->Remove(r.Key());
    }
    if (upkeep == Upkeep::Full) {
        modified_ = true;
    }
    selectedCount_ -= r.item.selected ? 1 : 0;
    positions_.Removed(slot);
    // The slot is reused by a later row; the serial tells the two apart.
    r = Row(ResultItem{}, 0, nullptr);
    freeSlots_.push_back(slot);
}

std::uint32_t ResultList::TakeSlot(ResultItem&& item, std::size_t value,
                                   std::unique_ptr<std::string> longKey) {
    std::uint32_t slot = 0;
    if (freeSlots_.empty()) {
        slots_.emplace_back(std::move(item), value, std::move(longKey));
        slot = static_cast<std::uint32_t>(slots_.size() - 1);
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        slots_[slot] = Row(std::move(item), value, std::move(longKey));
    }
    slots_[slot].serial = nextSerial_++;
    return slot;
}

ResultList::RowId ResultList::IdOf(std::size_t row) const {
    const std::uint32_t slot = order_.at(row);
    return RowId{slot, slots_[slot].serial};
}

std::optional<std::size_t> ResultList::RowOf(RowId id) const {
    if (ItemOf(id) == nullptr) {
        return std::nullopt;
    }
    return positions_.PositionOf(id.slot, order_);
}

const ResultItem* ResultList::ItemOf(RowId id) const {
    if (id.serial == 0 || id.slot >= slots_.size() || slots_[id.slot].serial != id.serial) {
        return nullptr;
    }
    return &slots_[id.slot].item;
}

void ResultList::DeleteAll() {
    if (observer_ != nullptr) {
        observer_->AboutToReset();
    }
    if (!order_.empty()) {
        modified_ = true;
    }
    // Give the memory back: a big list may not come again.
    std::vector<Row>().swap(slots_);
    std::vector<std::uint32_t>().swap(order_);
    std::vector<std::uint32_t>().swap(freeSlots_);
    positions_.Reset();
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
    if (order_.empty()) {
        return;
    }
    std::size_t count = 0;
    for (const std::uint32_t slot : order_) {
        Row& r = slots_[slot];
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
    for (const std::uint32_t slot : order_) {
        Row& r = slots_[slot];
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
    for (const std::uint32_t slot : order_) {
        const Row& r = slots_[slot];
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

namespace {

// The picture of a cell whose text is empty: the status and visit codes; no other cell has one.
int PictureOf(const ResultItem& item, ResultCell cell) {
    switch (cell) {
        case ResultCell::Status:
            return static_cast<int>(item.status);
        case ResultCell::Visit:
            return static_cast<int>(item.visit);
        default:
            return -1;
    }
}

// What a row is sorted by. The first eight bytes of the text, big-endian, settle most
// comparisons without following the text's pointer; zero padding keeps their order byte-wise.
struct RowSortKey {
    std::uint64_t head = 0;
    std::string_view text;
    int picture = -1;
    std::size_t row = 0;
};

std::uint64_t HeadOf(std::string_view text) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < sizeof head; ++i) {
        head <<= 8U;
        head |= i < text.size() ? static_cast<unsigned char>(text[i]) : 0U;
    }
    return head;
}

bool KeyLess(const RowSortKey& a, const RowSortKey& b) {
    if (a.text.empty() && b.text.empty()) {
        return a.picture < b.picture;
    }
    if (a.head != b.head) {
        return a.head < b.head;
    }
    return a.text < b.text;
}

}  // namespace

std::vector<std::size_t> ResultList::SortOrder(ResultCell cell, bool descending) const {
    std::vector<RowSortKey> keys(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row) {
        RowSortKey& key = keys[row];
        key.text = CellText(row, cell);
        key.head = HeadOf(key.text);
        const ResultItem& item = slots_[order_[row]].item;
        // The check box has no picture: its check orders it, unchecked first.
        key.picture = cell == ResultCell::Select ? (item.selected ? 1 : 0) : PictureOf(item, cell);
        key.row = row;
    }
    if (descending) {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const RowSortKey& a, const RowSortKey& b) { return KeyLess(b, a); });
    } else {
        std::stable_sort(keys.begin(), keys.end(), KeyLess);
    }
    std::vector<std::size_t> order(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        order[i] = keys[i].row;
    }
    return order;
}

bool ResultList::ApplyOrder(std::span<const std::size_t> order) {
    if (order.size() != order_.size()) {
        return false;
    }
    std::vector<std::size_t> newRowOf(order.size(), order.size());
    for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
        const std::size_t oldRow = order[newRow];
        if (oldRow >= order.size() || newRowOf[oldRow] != order.size()) {
            return false;
        }
        newRowOf[oldRow] = newRow;
    }
    if (observer_ != nullptr) {
        observer_->AboutToReorder();
    }
    std::vector<std::uint32_t> sorted(order.size());
    for (std::size_t newRow = 0; newRow < order.size(); ++newRow) {
        sorted[newRow] = order_[order[newRow]];
    }
    order_.swap(sorted);
    positions_.Invalidate();
    if (observer_ != nullptr) {
        observer_->Reordered(newRowOf);
    }
    return true;
}

void ResultList::Sort(ResultCell cell, bool descending) {
    ApplyOrder(SortOrder(cell, descending));
}

void ResultList::NotifyAboutToInsert(std::size_t first, std::size_t count) {
    if (observer_ != nullptr) {
        observer_->RowsAboutToBeInserted(first, first + count - 1);
    }
}

void ResultList::NotifyInserted(std::size_t first, std::size_t count) {
    if (observer_ != nullptr) {
        observer_->RowsInserted(first, first + count - 1);
    }
}

void ResultList::RowChanged(std::size_t row) {
    if (observer_ != nullptr) {
        observer_->RowsChanged(row, row);
    }
}

void ResultList::AllRowsChanged() {
    if (observer_ != nullptr && !order_.empty()) {
        observer_->RowsChanged(0, order_.size() - 1);
    }
}

}  // namespace quexa::core
