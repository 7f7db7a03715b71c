#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/result_list.h"
#include "tasks/location_opener.h"

namespace quexa::tasks {

// What the "Execute Failed" dialog shows after an open failed.
struct ExecuteFailure {
    static constexpr std::string_view kCaption = "Execute Failed";
    static constexpr std::string_view kMessage = "An error occupy when execute!";

    std::string location;
    std::string_view errorText;
};

// The result view's commands that open locations. Rows out of range do nothing.
class LocationCommands {
  public:
    using FailureShown = std::function<void(const ExecuteFailure&)>;

    // Browser All Selected asks before opening more than this many rows.
    static constexpr std::size_t kOpenWithoutAsking = 3;

    explicit LocationCommands(LocationOpener& opener) : opener_(opener) {}

    // Web addresses go to the browser and keep their status; anything else is opened on the
    // desktop and becomes Reachable, or Unreachable with a failure to show. Either way the row
    // is visited.
    std::optional<ExecuteFailure> BrowseTarget(core::ResultList& list, std::size_t row);
    // The row's folder in the file manager; a failure makes the row Unreachable.
    std::optional<ExecuteFailure> OpenDir(core::ResultList& list, std::size_t row);
    // Browser Target on every selected row, in list order; each failure is shown as it comes.
    // Returns the row that is current afterwards: the last row, none on an empty list.
    std::optional<std::size_t> BrowseAllSelected(core::ResultList& list, const FailureShown& show);

    static bool AsksBeforeBrowsing(std::size_t selected) { return selected > kOpenWithoutAsking; }
    // "Warring: \r\n    You want to open << 4 >> target, are you really ?"
    static std::string BrowseQuestion(std::size_t selected);

  private:
    LocationOpener& opener_;
};

}  // namespace quexa::tasks
