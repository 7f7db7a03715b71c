#include "files/wildcard_pattern.h"

#include <cstddef>

#include "core/text.h"

namespace quexa::files {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Past one character: a lead byte and its continuation bytes.
std::size_t NextCharacter(std::string_view text, std::size_t at) {
    ++at;
    while (at < text.size() && IsContinuation(text[at])) {
        ++at;
    }
    return at;
}

bool EndsWithLower(std::string_view name, std::string_view lowerTail) {
    if (name.size() < lowerTail.size()) {
        return false;
    }
    const std::size_t start = name.size() - lowerTail.size();
    for (std::size_t i = 0; i < lowerTail.size(); ++i) {
        if (Lower(name[start + i]) != lowerTail[i]) {
            return false;
        }
    }
    return true;
}

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

}  // namespace

WildcardPattern::WildcardPattern(std::string_view pattern)
    : text_(pattern), lower_(core::AsciiLower(pattern)) {
    if (pattern == "*.*") {
        form_ = Form::Everything;
    } else if (!HasWildcard(pattern)) {
        form_ = Form::Literal;
    } else if (pattern.size() > 1 && pattern[0] == '*' && !HasWildcard(pattern.substr(1))) {
        form_ = Form::Suffix;
        lower_.erase(0, 1);
    }
}

bool WildcardPattern::Matches(std::string_view name) const {
    switch (form_) {
        case Form::Everything:
            return true;
        case Form::Literal:
            return name.size() == lower_.size() && EndsWithLower(name, lower_);
        case Form::Suffix:
            return EndsWithLower(name, lower_);
        case Form::General:
            break;
    }
    return MatchesGeneral(name);
}

// Greedy matching that backtracks only to the last "*": a later star can always take over
// what an earlier one would have had to give up, so one resume point is enough.
bool WildcardPattern::MatchesGeneral(std::string_view name) const {
    const std::string_view pattern = lower_;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n = NextCharacter(name, n);
        } else if (p < pattern.size() && pattern[p] == Lower(name[n])) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            resumeName = NextCharacter(name, resumeName);
            n = resumeName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace quexa::files
