#include "web/canonical_url.h"

namespace quexa::web {

namespace {

bool NeedsEncoding(unsigned char c) {
    constexpr std::string_view kUnsafe = "\"<>\\^`{|}";
    return c <= 0x20 || c >= 0x7F || kUnsafe.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

std::string CanonicalUrl(std::string_view url) {
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (NeedsEncoding(byte)) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace quexa::web
