#include "tasks/location_commands.h"

#include "tasks/location_kind.h"

namespace quexa::tasks {
namespace {

std::optional<ExecuteFailure> Record(core::ResultList& list, std::size_t row,
                                     LocationOpener::Failure failure) {
    if (failure == LocationOpener::Failure::None) {
        list.SetStatus(row, core::StatusCode::Reachable);
        return std::nullopt;
    }
    list.SetStatus(row, core::StatusCode::Unreachable);
    return ExecuteFailure{list.Item(row).location, ExecuteFailedText(failure)};
}

}  // namespace

std::optional<ExecuteFailure> LocationCommands::BrowseTarget(core::ResultList& list,
                                                             std::size_t row) {
    if (row >= list.Count()) {
        return std::nullopt;
    }
    const std::string location = list.Item(row).location;
    std::optional<ExecuteFailure> failure;
    if (KindOf(location) == LocationKind::InternetAddress) {
        opener_.Browse(location);
    } else {
        failure = Record(list, row, opener_.Open(location));
    }
    list.SetVisit(row, core::VisitCode::Visited);
    return failure;
}

std::optional<ExecuteFailure> LocationCommands::OpenDir(core::ResultList& list, std::size_t row) {
    if (row >= list.Count()) {
        return std::nullopt;
    }
    const core::ResultItem& item = list.Item(row);
    const LocationOpener::Failure failure =
        opener_.Explore(FolderToExplore(item.location, item.title));
    if (failure == LocationOpener::Failure::None) {
        return std::nullopt;
    }
    list.SetStatus(row, core::StatusCode::Unreachable);
    return ExecuteFailure{item.location, ExecuteFailedText(failure)};
}

std::optional<std::size_t> LocationCommands::BrowseAllSelected(core::ResultList& list,
                                                               const FailureShown& show) {
    for (std::size_t row = 0; row < list.Count(); ++row) {
        if (!list.Item(row).selected) {
            continue;
        }
        if (const std::optional<ExecuteFailure> failure = BrowseTarget(list, row)) {
            show(*failure);
        }
    }
    if (list.Empty()) {
        return std::nullopt;
    }
    return list.Count() - 1;
}

std::string LocationCommands::BrowseQuestion(std::size_t selected) {
    return "Warring: \r\n    You want to open << " + std::to_string(selected) +
           " >> target, are you really ?";
}

}  // namespace quexa::tasks
