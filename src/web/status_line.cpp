#include "web/status_line.h"

#include "core/text.h"

namespace quexa::web {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int ThreeDigitCode(std::string_view line) {
    for (std::size_t i = 0; i + 3 <= line.size(); ++i) {
        if (IsDigit(line[i]) && IsDigit(line[i + 1]) && IsDigit(line[i + 2])) {
            return (line[i] - '0') * 100 + (line[i + 1] - '0') * 10 + (line[i + 2] - '0');
        }
    }
    return 0;
}

}  // namespace

int StatusCodeFromRawHeaders(std::string_view rawHeaders) {
    std::size_t pos = 0;
    while (pos < rawHeaders.size()) {
        std::size_t end = rawHeaders.find('\0', pos);
        if (end == std::string_view::npos) {
            end = rawHeaders.size();
        }
        const std::string_view line = rawHeaders.substr(pos, end - pos);
        if (line.empty()) {
            return 0;
        }
        if (core::Contains(core::AsciiLower(line), "http")) {
            return ThreeDigitCode(line);
        }
        pos = end + 1;
    }
    return 0;
}

}  // namespace quexa::web
