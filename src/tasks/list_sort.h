#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "core/sort_mark.h"
#include "tasks/task_runtime.h"
#include "tasks/verification.h"

namespace quexa::tasks {

// Sorting the result list by one column without freezing the window: the new order is worked
// out on a thread of its own while the user-interface thread keeps handling its events (the
// wait window paints), then applied there at once. Nothing may change the rows meanwhile: the
// busy state refuses the commands that would, a search's drain and a stop wait until the order
// is applied, and the workers' notices (verification answers among them) wait on the task's
// notice lock, which the sort holds.
class ListSort {
  public:
    static constexpr std::string_view kWaitText = "Please stand by ... ...";

    struct Outcome {
        // False when a busy loop refused the sort.
        bool sorted = false;
        // Where the row that had the focus stands now.
        std::optional<std::size_t> focusRow;
    };

    ListSort(TaskRuntime& runtime, Verification& verification)
        : runtime_(runtime), verification_(verification) {}

    Outcome Run(core::SortChoice choice, std::optional<std::size_t> focusRow);

  private:
    std::vector<std::size_t> OrderOffThread(core::SortChoice choice);

    TaskRuntime& runtime_;
    Verification& verification_;
};

}  // namespace quexa::tasks
