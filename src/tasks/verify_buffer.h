#pragma once

#include <cstddef>
#include <string>

#include "core/result_list.h"

namespace quexa::tasks {

// A verification worker's location: the worker reads it only before and after its synchronous
// notice; the user-interface thread writes the next location into it during the notice.
struct VerifyBuffer {
    static constexpr std::size_t kSize = 256;
    std::string location;
    // The row the location was taken from; the worker never reads it.
    core::ResultList::RowId row;
};

}  // namespace quexa::tasks
