#include "tasks/summary_rows.h"

#include "core/status_code.h"

namespace quexa::tasks {
namespace {

SummaryRow Row(core::StatusCode code, std::size_t count) {
    return {static_cast<int>(code), core::StatusText(code), std::to_string(count)};
}

SummaryRow Row(core::VisitCode code, std::size_t count) {
    return {static_cast<int>(code), core::VisitText(code), std::to_string(count)};
}

}  // namespace

std::array<SummaryRow, 8> SummaryRows(const core::ResultList::Summary& summary) {
    using core::StatusCode;
    using core::VisitCode;
    return {{
        {0, "Count: ", std::to_string(summary.Total())},
        Row(VisitCode::WithoutVisit, summary.withoutVisit),
        Row(VisitCode::Visited, summary.visited),
        Row(StatusCode::Normal, summary.normal),
        Row(StatusCode::Reachable, summary.reachable),
        Row(StatusCode::Unreachable, summary.unreachable),
        Row(StatusCode::Unknown, summary.unknown),
        Row(StatusCode::Verifing, summary.verifing),
    }};
}

}  // namespace quexa::tasks
