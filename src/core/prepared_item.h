#pragma once

#include <cstdint>

#include "core/result_item.h"

namespace quexa::core {

// An item readied for the list on any thread: its texts without the cell separator and its
// location's hash worked out, work that a loader's reading thread takes off the user-interface
// thread while the item's bytes are still in its cache.
class PreparedItem {
  public:
    PreparedItem() = default;
    explicit PreparedItem(ResultItem&& item);

    const ResultItem& Item() const { return item_; }

  private:
    friend class ResultList;

    ResultItem item_;
    std::uint64_t hash_ = 0;
};

}  // namespace quexa::core
