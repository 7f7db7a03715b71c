#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/location_set.h"
#include "core/prepared_item.h"
#include "core/result_column.h"
#include "core/result_item.h"
#include "core/result_list_observer.h"
#include "core/row_positions.h"
#include "core/status_code.h"

namespace quexa::core {

// The result list as the report control shows it: rows of eight cells, the set of listed
// locations and the unsaved-changes flag. Used on the user-interface thread only; the location
// set may also be shared with search workers.
class ResultList {
  public:
    // No cell text is longer.
    static constexpr std::size_t kCellTextLimit = 255;
    // A longer preview keeps this much and gains "...".
    static constexpr std::size_t kPreviewCutAbove = 256;
    static constexpr std::size_t kPreviewKept = 252;
    // Every row the program adds has this state: the control draws it in its bold font.
    static constexpr int kBoldRowState = 4;
    // The verification mark of cell 1.
    static constexpr std::string_view kNotChecked = "NULL";
    static constexpr std::string_view kChecked = "CHECKED";

    static constexpr std::string_view kItemExistsNote = "This item have existing !";
    static constexpr std::string_view kDeleteSelectedQuestion =
        "Are you sure delete all selected item ?";
    static constexpr std::string_view kDeleteAllQuestion = "Are you sure delete all ?";

    struct Added {
        std::size_t row;
        // The location was listed before this row came.
        bool alreadyListed;
    };

    struct Summary {
        std::size_t reachable = 0;
        std::size_t timeout = 0;
        std::size_t unknown = 0;
        std::size_t unreachable = 0;
        std::size_t verifing = 0;
        std::size_t normal = 0;
        std::size_t withoutVisit = 0;
        std::size_t visited = 0;
        std::size_t Total() const { return withoutVisit + visited; }
    };

    ResultList();
    explicit ResultList(std::shared_ptr<LocationSet> locations);
    // A copy would share the location set with the original.
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;
    ResultList(ResultList&&) = default;
    ResultList& operator=(ResultList&&) = default;

    // The observer is not owned and must outlive the list or be unset with nullptr.
    void SetObserver(ResultListObserver* observer) { observer_ = observer; }

    // The control's rows are "|"-separated: every text an item brings loses that character.
    static void RemoveSeparators(ResultItem& item);

    Added AddItem(std::ptrdiff_t position, ResultItem item);
    // As AddItem, but an item whose location is already listed is not added: the row, or
    // nothing. One lookup instead of a test and an insert.
    std::optional<std::size_t> AddUnlistedItem(std::ptrdiff_t position, ResultItem item);
    // Adds readied items behind the last row, as AddItem does, or as AddUnlistedItem with
    // onlyUnlisted; their locations go into the set in one run. Returns the rows added.
    std::size_t AppendPreparedItems(std::span<PreparedItem> items, bool onlyUnlisted);
    // The drain of a search: every item behind the last row, as AddItem adds it, with one
    // notice for the batch. Returns the rows added.
    std::size_t AppendItems(std::span<ResultItem> items);
    // Room for this many more rows and locations, for a caller that knows how many will come.
    void Reserve(std::size_t more);
    // The Add command: before the current row, at the top without one; never selected.
    Added AddItemByHand(std::optional<std::size_t> currentRow, ResultItem item);

    std::size_t Count() const { return order_.size(); }
    bool Empty() const { return order_.empty(); }
    // row must be below Count().
    const ResultItem& Item(std::size_t row) const { return slots_[order_.at(row)].item; }
    std::size_t RowValue(std::size_t row) const { return slots_[order_.at(row)].value; }

    // A row's name that stays its own while rows come, go and are sorted, and never names
    // another row once it has gone.
    struct RowId {
        std::uint32_t slot = 0;
        std::uint64_t serial = 0;
        bool operator==(const RowId&) const = default;
    };
    // row must be below Count().
    RowId IdOf(std::size_t row) const;
    // Where the row stands now; none once it has gone. Costs no scan of the list.
    std::optional<std::size_t> RowOf(RowId id) const;
    // The row's item without finding its place; nullptr once it has gone.
    const ResultItem* ItemOf(RowId id) const;
    // Empty for the picture and check cells and for a row or cell out of range.
    std::string_view CellText(std::size_t row, ResultCell cell) const;

    // Each setter marks the list modified; false for a row out of range. The verification mark
    // takes only kNotChecked or kChecked.
    bool SetCellText(std::size_t row, ResultCell cell, std::string_view text);
    bool SetStatus(std::size_t row, StatusCode status);
    bool SetVisit(std::size_t row, VisitCode visit);
    bool SetSelected(std::size_t row, bool selected);
    // Writes back what the Edit Item dialog returns. The location set keeps the old location.
    bool EditItem(std::size_t row, const ResultItem& values);

    // The Delete command: the row's location leaves the set and the list is marked modified.
    bool DeleteItem(std::size_t row);
    // A deletion by verification: as DeleteItem, but the modified flag stays as it is.
    bool DeleteVerifiedItem(std::size_t row);
    // Many deletions by verification in one pass; rows already gone are passed over. Returns
    // the number of rows deleted.
    std::size_t DeleteVerifiedItems(std::span<const RowId> rows);
    // Only the row goes: the location set and the modified flag are not touched.
    bool RemoveRow(std::size_t row);
    // Returns the number of rows deleted.
    std::size_t DeleteSelected();
    // Also empties the location set.
    void DeleteAll();

    void SelectAll();
    void UnselectAll();
    void ReverseSelect();
    // Checks the rows with that code; the others keep their check. Returns the rows that matched.
    std::size_t SelectStatus(StatusCode status);
    std::size_t SelectVisited();
    std::size_t SelectedCount() const { return selectedCount_; }
    bool HasSelection() const { return selectedCount_ > 0; }
    bool AllSelected() const { return selectedCount_ == order_.size(); }

    Summary Summarize() const;

    // The order the rows take when sorted by one cell: order[newRow] == oldRow. Texts compare
    // byte-wise; two empty texts compare by the cell's picture (status or visit code), and
    // the check cell by its check. Equal rows keep their order, also descending. Reads the
    // list only, so it may run on another thread while nothing changes the list.
    std::vector<std::size_t> SortOrder(ResultCell cell, bool descending) const;
    // Puts the rows in that order (one Reordered notice), keeping the location set, selection
    // count and every row-keyed index in step. An order that is not a permutation of the rows
    // is ignored (false).
    bool ApplyOrder(std::span<const std::size_t> order);
    // SortOrder and ApplyOrder on the calling thread.
    void Sort(ResultCell cell, bool descending);

    bool IsModified() const { return modified_; }
    void SetModified() { modified_ = true; }
    void ClearModified() { modified_ = false; }

    LocationSet& Locations() { return *locations_; }
    const LocationSet& Locations() const { return *locations_; }
    // For search workers, which may outlive a stop.
    std::shared_ptr<LocationSet> SharedLocations() const { return locations_; }

  private:
    struct Row {
        Row(ResultItem&& rowItem, std::size_t rowValue, std::unique_ptr<std::string> key)
            : item(std::move(rowItem)), value(rowValue), longKey(std::move(key)) {}

        ResultItem item;
        std::size_t value = 0;
        // Unique among all rows the list ever held; 0 for a free slot.
        std::uint64_t serial = 0;
        bool checked = false;
        // The location as it went into the set, kept only when the cell had to cut it, so
        // that deleting the row takes that very key out again.
        std::unique_ptr<std::string> longKey;

        std::string_view Key() const { return longKey ? *longKey : item.location; }
    };

    enum class Upkeep { Full, KeepModified, RowOnly };

    // Where a position given by a caller puts a new row.
    std::size_t RowFor(std::ptrdiff_t position) const;
    // Cuts the cells to their limits and inserts the row; the location set is done already.
    // No notice: the caller announces the rows of its batch.
    void Place(std::size_t row, ResultItem&& item);
    // Place with its own notice.
    std::size_t PlaceOne(std::ptrdiff_t position, ResultItem&& item);

    // More scattered runs than this go as one reset: a view pays for each removal notice.
    static constexpr std::size_t kMaxRemovalRuns = 16;

    bool Delete(std::size_t row, Upkeep upkeep);
    // Removes the rows marked true: one notice per contiguous run, or a reset for many runs.
    std::size_t RemoveMarked(const std::vector<bool>& doomed, Upkeep upkeep);
    void RemoveRun(std::size_t first, std::size_t last, Upkeep upkeep);
    // The same in one pass over the list, heard as a reset.
    std::size_t RemoveScattered(const std::vector<bool>& doomed, Upkeep upkeep);
    // The row in that slot leaves: its upkeep, then the slot is free.
    // With location false the caller has taken the row's location out of the set already.
    void Forget(std::uint32_t slot, Upkeep upkeep, bool location = true);
    // Takes the marked rows' locations out of the set, many at a time.
    void ForgetLocations(const std::vector<bool>& doomed);
    std::uint32_t TakeSlot(ResultItem&& item, std::size_t value,
                           std::unique_ptr<std::string> longKey);
    Row& At(std::size_t row) { return slots_[order_[row]]; }
    const Row& At(std::size_t row) const { return slots_[order_[row]]; }
    void SetAllSelected(bool (*next)(bool));
    template <typename Match>
    std::size_t CheckMatching(Match match);
    void NotifyAboutToInsert(std::size_t first, std::size_t count);
    void NotifyInserted(std::size_t first, std::size_t count);
    void RowChanged(std::size_t row);
    void AllRowsChanged();

    // Rows stay in their slot while they are listed; order_ holds the slots in list order, so
    // that a deletion or a sort moves four bytes per row, never the rows.
    std::vector<Row> slots_;
    std::vector<std::uint32_t> order_;
    std::vector<std::uint32_t> freeSlots_;
    // A cache of where each slot stands, for RowOf.
    mutable RowPositions positions_;
    std::uint64_t nextSerial_ = 1;
    std::shared_ptr<LocationSet> locations_;
    ResultListObserver* observer_ = nullptr;
    std::size_t selectedCount_ = 0;
    bool modified_ = false;
};

}  // namespace quexa::core
