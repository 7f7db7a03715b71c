#include "core/profile.h"

#include <charconv>

#include "core/text.h"

namespace quexa::core {

std::optional<std::int32_t> Profile::ParseInt(std::string_view text) {
    const std::string_view digits = Trim(text);
    if (digits.empty() || digits.front() == '+') {
        return std::nullopt;
    }
    std::int32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string Profile::NormaliseSection(std::string_view section) {
    std::string out;
    bool separator = false;
    for (const char c : section) {
        if (c == '\\' || c == '/') {
            separator = !out.empty();
            continue;
        }
        if (separator) {
            out += '\\';
            separator = false;
        }
        out += c;
    }
    return out;
}

bool Profile::IsValidKey(std::string_view key) {
    return !key.empty() && key.find_first_of("\\/") == std::string_view::npos;
}

}  // namespace quexa::core
