#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/result_list.h"

namespace quexa::tasks {

// One row of the "Summarize" dialog: its picture (a status or visit code, 0 for the total),
// its text and its count as the dialog writes it.
struct SummaryRow {
    int picture = 0;
    std::string_view text;
    std::string count;

    bool operator==(const SummaryRow&) const = default;
};

// The dialog's eight rows in their order: the total, the visit codes, then the status codes.
std::array<SummaryRow, 8> SummaryRows(const core::ResultList::Summary& summary);

}  // namespace quexa::tasks
