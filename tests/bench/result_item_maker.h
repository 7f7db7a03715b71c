#pragma once

#include <cstddef>
#include <vector>

#include "core/result_item.h"

namespace quexa::bench {

// Items shaped like a search's: every fourth one repeats an earlier location in upper case.
std::vector<core::ResultItem> MakeResultItems(std::size_t count);

// CPU time of the calling thread, system time included: other work on a shared machine does not
// count, page faults do.
double ThreadSeconds();

// Keeps freed memory in the process for reuse. A page's first touch costs far more on some
// virtual machines than on a desktop; runs after the first then measure the list itself.
void KeepFreedMemory();

}  // namespace quexa::bench
