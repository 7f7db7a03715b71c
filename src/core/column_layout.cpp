#include "core/column_layout.h"

#include <charconv>

#include "core/text.h"

namespace quexa::core {
namespace {

// Reads the numbers of a layout string the way "%d" does: blanks first, then a signed number.
class LayoutReader {
  public:
    explicit LayoutReader(std::string_view text) : text_(text) {}

    bool Literal(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::optional<int> Number() {
        SkipBlanks();
        int value = 0;
        const char* begin = text_.data() + pos_;
        const auto [stop, error] = std::from_chars(begin, text_.data() + text_.size(), value);
        if (error != std::errc{}) {
            return std::nullopt;
        }
        pos_ += static_cast<std::size_t>(stop - begin);
        return value;
    }

    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::optional<std::vector<int>> Numbers(LayoutReader& reader, std::size_t count) {
    std::vector<int> numbers;
    numbers.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto number = reader.Number();
        if (!number) {
            return std::nullopt;
        }
        numbers.push_back(*number);
    }
    return numbers;
}

// Every shown column names a defined one, and none is shown twice.
bool ValidOrder(const std::vector<int>& order, std::size_t columns) {
    std::vector<bool> seen(columns, false);
    for (const int index : order) {
        if (index < 0 || static_cast<std::size_t>(index) >= columns ||
            seen[static_cast<std::size_t>(index)]) {
            return false;
        }
        seen[static_cast<std::size_t>(index)] = true;
    }
    return true;
}

}  // namespace

ColumnLayout::ColumnLayout(std::vector<int> widths, std::vector<int> order)
    : widths_(std::move(widths)), order_(std::move(order)) {}

std::optional<ColumnLayout> ColumnLayout::Parse(std::string_view text) {
    LayoutReader reader(text);
    if (!reader.Literal('(')) {
        return std::nullopt;
    }
    const auto defined = reader.Number();
    if (!defined || !reader.Literal(',')) {
        return std::nullopt;
    }
    const auto shown = reader.Number();
    if (!shown || !reader.Literal(')')) {
        return std::nullopt;
    }
    if (*defined < 0 || static_cast<std::size_t>(*defined) > kMaxColumns || *shown < 0 ||
        *shown > *defined) {
        return std::nullopt;
    }
    const auto columns = static_cast<std::size_t>(*defined);
    auto widths = Numbers(reader, columns);
    auto order = widths ? Numbers(reader, static_cast<std::size_t>(*shown)) : std::nullopt;
    if (!order || !reader.AtEnd() || !ValidOrder(*order, columns)) {
        return std::nullopt;
    }
    return ColumnLayout(std::move(*widths), std::move(*order));
}

std::optional<ColumnLayout> ColumnLayout::Load(std::string_view text, std::size_t columnCount) {
    auto layout = Parse(text);
    if (!layout || !layout->Fits(columnCount)) {
        return std::nullopt;
    }
    return layout;
}

std::string ColumnLayout::Format() const {
    std::string text =
        "(" + std::to_string(widths_.size()) + "," + std::to_string(order_.size()) + ")";
    for (const int width : widths_) {
        text += " " + std::to_string(width);
    }
    for (const int index : order_) {
        text += " " + std::to_string(index);
    }
    return text;
}

bool ColumnLayout::Fits(std::size_t columnCount) const {
    return widths_.size() == columnCount && !order_.empty();
}

}  // namespace quexa::core
