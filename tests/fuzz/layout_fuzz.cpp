// A stored column layout comes from a settings file anyone may edit: whatever it holds, a
// layout that parses must describe columns that exist and must survive a round trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/column_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using quexa::core::ColumnLayout;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto layout = ColumnLayout::Parse(text);
    if (!layout) {
        return 0;
    }
    const std::size_t columns = layout->widths().size();
    if (columns > ColumnLayout::kMaxColumns || layout->order().size() > columns) {
        std::abort();
    }
    for (const int index : layout->order()) {
        if (index < 0 || static_cast<std::size_t>(index) >= columns) {
            std::abort();
        }
    }
    if (ColumnLayout::Parse(layout->Format()) != layout) {
        std::abort();
    }
    if (ColumnLayout::Load(text, columns).has_value() != !layout->order().empty()) {
        std::abort();
    }
    return 0;
}
