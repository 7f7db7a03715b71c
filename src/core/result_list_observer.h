#pragma once

#include <cstddef>
#include <span>

namespace quexa::core {

// What a view of the result list is told. Each change comes as an "about to" call before the
// rows move and a second call after, so a view can keep its own bookkeeping in step. Rows that
// come or go together come as one range: a load of a million rows is one pair of calls.
class ResultListObserver {
  public:
    virtual ~ResultListObserver() = default;

    // Rows first..last (inclusive) come or go together: one pair of calls per batch.
    virtual void RowsAboutToBeInserted(std::size_t /*first*/, std::size_t /*last*/) {}
    virtual void RowsInserted(std::size_t /*first*/, std::size_t /*last*/) {}
    virtual void RowsAboutToBeRemoved(std::size_t /*first*/, std::size_t /*last*/) {}
    virtual void RowsRemoved(std::size_t /*first*/, std::size_t /*last*/) {}
    // Many rows went at once, scattered (Delete Selected, Delete All).
    virtual void AboutToReset() {}
    virtual void Reset() {}
    // Cells of rows first..last changed; the row count did not.
    virtual void RowsChanged(std::size_t /*first*/, std::size_t /*last*/) {}
    // A sort: newRowOf[oldRow] is where each old row now stands.
    virtual void AboutToReorder() {}
    virtual void Reordered(std::span<const std::size_t> /*newRowOf*/) {}
};

}  // namespace quexa::core
