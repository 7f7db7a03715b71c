#include "core/text.h"

#include <cstring>

namespace quexa::core {

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) {
        return npos;
    }
    if (needle.empty()) {
        return from;
    }
    const void* hit = memmem(text.data() + from, text.size() - from, needle.data(), needle.size());
    return hit == nullptr ? npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

void TrimInPlace(std::string& text) {
    const std::string_view kept = Trim(text);
    const std::size_t begin = static_cast<std::size_t>(kept.data() - text.data());
    text.erase(begin + kept.size());
    text.erase(0, begin);
}

void TrimCharInPlace(std::string& text, char c) {
    const std::size_t end = text.find_last_not_of(c);
    if (end == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(end + 1);
    text.erase(0, text.find_first_not_of(c));
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = Find(text, from); hit != npos; hit = Find(text, from, pos)) {
        out.append(text, pos, hit - pos).append(to);
        pos = hit + from.size();
    }
    out.append(text, pos);
    return out;
}

void RemoveChar(std::string& text, char c) {
    std::erase(text, c);
}

std::size_t Utf8CutPoint(std::string_view text, std::size_t maxBytes) {
    if (maxBytes >= text.size()) {
        return text.size();
    }
    const auto continuation = [&](std::size_t i) {
        return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    std::size_t cut = maxBytes;
    while (cut > 0 && maxBytes - cut < 3 && continuation(cut)) {
        --cut;
    }
    // Not UTF-8 at all here: a plain byte cut is the best there is.
    return continuation(cut) ? maxBytes : cut;
}

std::string BoundedCopy(std::string_view text, std::size_t fieldSize) {
    if (fieldSize == 0) {
        return {};
    }
    const std::string_view untilNul = text.substr(0, text.find('\0'));
    return std::string(untilNul.substr(0, Utf8CutPoint(untilNul, fieldSize - 1)));
}

void CutInPlace(std::string& text, std::size_t maxBytes) {
    text.erase(Utf8CutPoint(text, maxBytes));
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace quexa::core
