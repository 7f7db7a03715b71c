#include "core/prepared_item.h"

#include <utility>

#include "core/result_list.h"

namespace quexa::core {

PreparedItem::PreparedItem(ResultItem&& item) : item_(std::move(item)) {
    ResultList::RemoveSeparators(item_);
    hash_ = LocationSet::HashOf(item_.location);
}

}  // namespace quexa::core
