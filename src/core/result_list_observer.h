#pragma once

#include <cstddef>

namespace quexa::core {

// What a view of the result list is told. Each change comes as an "about to" call before the
// rows move and a second call after, so a view can keep its own bookkeeping in step.
class ResultListObserver {
  public:
    virtual ~ResultListObserver() = default;

    virtual void RowAboutToBeInserted(std::size_t /*row*/) {}
    virtual void RowInserted(std::size_t /*row*/) {}
    virtual void RowAboutToBeRemoved(std::size_t /*row*/) {}
    virtual void RowRemoved(std::size_t /*row*/) {}
    // Many rows went at once (Delete Selected, Delete All).
    virtual void AboutToReset() {}
    virtual void Reset() {}
    // Cells of rows first to last (inclusive) changed; the row count did not.
    virtual void RowsChanged(std::size_t /*first*/, std::size_t /*last*/) {}
};

}  // namespace quexa::core
