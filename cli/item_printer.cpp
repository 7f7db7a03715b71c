#include "cli/item_printer.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/status_code.h"
#include "core/text.h"

namespace quexa::cli {
namespace {

constexpr std::size_t kColumns = 4;
using Row = std::array<std::string, kColumns>;

// Characters, not bytes, so that a table with accented titles stays aligned.
std::size_t DisplayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void PrintJson(const core::ResultList& list, std::ostream& out) {
    for (std::size_t row = 0; row < list.Count(); ++row) {
        const core::ResultItem& item = list.Item(row);
        const nlohmann::ordered_json object = {
            {"title", item.title},
            {"location", item.location},
            {"target", item.searchTarget},
            {"preview", item.preview},
            {"status", core::StatusText(item.status)},
            {"visit", core::VisitText(item.visit)},
            {"selected", item.selected},
        };
        out << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << "\n";
    }
}

void PrintTable(const core::ResultList& list, std::ostream& out) {
    std::vector<Row> rows{{"STATUS", "TARGET", "TITLE", "LOCATION"}};
    for (std::size_t row = 0; row < list.Count(); ++row) {
        const core::ResultItem& item = list.Item(row);
        // Texts from web pages: nothing in them may steer the terminal.
        rows.push_back({std::string(core::StatusText(item.status)),
                        core::EscapeControls(item.searchTarget), core::EscapeControls(item.title),
                        core::EscapeControls(item.location)});
    }
    std::array<std::size_t, kColumns> widths{};
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < kColumns; ++i) {
            widths[i] = std::max(widths[i], DisplayWidth(row[i]));
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i + 1 < kColumns; ++i) {
            line += row[i] + std::string(widths[i] - DisplayWidth(row[i]) + 2, ' ');
        }
        out << line << row[kColumns - 1] << "\n";
    }
}

}  // namespace

void PrintItems(const core::ResultList& list, bool json, std::ostream& out) {
    if (json) {
        PrintJson(list, out);
    } else {
        PrintTable(list, out);
    }
    out.flush();
}

}  // namespace quexa::cli
