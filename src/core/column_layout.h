#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quexa::core {

// Column widths and column order of a report list, stored as one profile string:
// "(S,V)" followed by " w" for each of the S defined columns (definition order) and " i" for
// each of the V shown columns (header order), i being a definition index.
class ColumnLayout {
  public:
    static constexpr std::size_t kMaxColumns = 128;

    ColumnLayout() = default;
    // Widths in definition order; order holds definition indices in header order.
    ColumnLayout(std::vector<int> widths, std::vector<int> order);

    // Nothing when the text is not a well-formed layout: more than kMaxColumns columns, more
    // shown columns than defined ones, an index that names no column or names one twice, or
    // numbers missing.
    static std::optional<ColumnLayout> Parse(std::string_view text);
    // The stored layout when it suits a control of columnCount columns, else nothing (the
    // control then keeps its built-in layout).
    static std::optional<ColumnLayout> Load(std::string_view text, std::size_t columnCount);

    std::string Format() const;
    // The acceptance rule: as many columns as the control has, and at least one shown.
    bool Fits(std::size_t columnCount) const;

    const std::vector<int>& widths() const { return widths_; }
    const std::vector<int>& order() const { return order_; }
    bool operator==(const ColumnLayout&) const = default;

  private:
    std::vector<int> widths_;
    std::vector<int> order_;
};

}  // namespace quexa::core
