#include "list_rows.h"

#include <cstdio>
#include <utility>

#include "core/prepared_item.h"

namespace quexa::ui::testing {

using core::StatusCode;
using core::VisitCode;

core::ResultItem Item(std::string title, std::string location, StatusCode status, VisitCode visit,
                      bool selected, std::string target, std::string preview) {
    core::ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = std::move(target);
    item.preview = std::move(preview);
    item.status = status;
    item.visit = visit;
    item.selected = selected;
    return item;
}

std::vector<core::ResultItem> MixedRows() {
    return {
        Item("delta", "http://c.example/", StatusCode::Unreachable, VisitCode::Visited, true,
             "Beta"),
        Item("alpha", "http://e.example/", StatusCode::Normal, VisitCode::WithoutVisit, false,
             "Delta"),
        Item("Echo", "http://a.example/", StatusCode::Reachable, VisitCode::Visited, false,
             "Alpha"),
        Item("charlie", "http://d.example/", StatusCode::Unknown, VisitCode::WithoutVisit, true,
             ""),
        Item("bravo", "http://b.example/", StatusCode::Timeout, VisitCode::WithoutVisit, false,
             "Echo"),
        Item("", "http://f.example/", StatusCode::Verifing, VisitCode::Visited, false, "Charlie"),
    };
}

void Fill(core::ResultList& list, std::size_t count, int previewHeight) {
    std::vector<core::PreparedItem> batch;
    batch.reserve(count);
    char title[32];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(title, sizeof title, "Title %06zu", i);
        core::ResultItem item =
            Item(title, "http://host" + std::to_string(i) + ".example/page",
                 i % 2 == 0 ? StatusCode::Normal : StatusCode::Reachable, VisitCode::WithoutVisit,
                 false, "Engine " + std::to_string(i % 7), "Preview of item " + std::to_string(i));
        item.previewHeight = previewHeight;
        batch.emplace_back(std::move(item));
    }
    list.AppendPreparedItems(batch, false);
}

}  // namespace quexa::ui::testing
