#include "core/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace quexa::core {

namespace {

// Candidates are the places where the needle's first, middle and last bytes all stand; only those
// are compared in full. A text built to make most places candidates gets the linear memmem instead.
std::size_t FindPlain(const char* data, std::size_t size, std::size_t from,
                      std::string_view needle) {
    const void* hit = memmem(data + from, size - from, needle.data(), needle.size());
    return hit == nullptr ? npos : static_cast<std::size_t>(static_cast<const char*>(hit) - data);
}

bool MiddleMatches(const char* at, std::string_view needle) {
    return std::memcmp(at + 1, needle.data() + 1, needle.size() - 2) == 0;
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) std::size_t FindWide(const char* data, std::size_t size,
                                                     std::size_t from, std::string_view needle) {
    const std::size_t last = needle.size() - 1;
    const std::size_t middle = last / 2;
    const __m256i first = _mm256_set1_epi8(needle.front());
    const __m256i centre = _mm256_set1_epi8(needle[middle]);
    const __m256i final = _mm256_set1_epi8(needle.back());
    std::size_t misses = 0;
    std::size_t at = from;
    for (; at + last + 32 <= size; at += 32) {
        const char* const block = data + at;
        const __m256i head = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
        const __m256i mid = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + middle));
        const __m256i tail = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + last));
        const __m256i ends =
            _mm256_and_si256(_mm256_cmpeq_epi8(head, first), _mm256_cmpeq_epi8(tail, final));
        auto mask = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_and_si256(ends, _mm256_cmpeq_epi8(mid, centre))));
        for (; mask != 0; mask &= mask - 1) {
            const std::size_t candidate = at + static_cast<unsigned>(__builtin_ctz(mask));
            if (MiddleMatches(data + candidate, needle)) {
                return candidate;
            }
            if (++misses > 64 + (at - from) / needle.size()) {
                return FindPlain(data, size, candidate + 1, needle);
            }
        }
    }
    return FindPlain(data, size, at, needle);
}

bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

}  // namespace

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) {
        return npos;
    }
    if (needle.empty()) {
        return from;
    }
    if (needle.size() == 1) {
        const void* hit = std::memchr(text.data() + from, needle[0], text.size() - from);
        return hit == nullptr
                   ? npos
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    }
#if defined(__x86_64__)
    if (HasAvx2()) {
        return FindWide(text.data(), text.size(), from, needle);
    }
#endif
    return FindPlain(text.data(), text.size(), from, needle);
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
    // Almost no text holds the character: a memchr answers that without rewriting it.
    const std::size_t first = text.find(c);
    if (first == std::string::npos) {
        return;
    }
    text.erase(std::remove(text.begin() + static_cast<std::ptrdiff_t>(first), text.end(), c),
               text.end());
}

namespace {

[[maybe_unused]] constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

// Non-zero when one of the eight bytes of word equals byte.
[[maybe_unused]] std::uint64_t HasByte(std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (kOnes * byte);
    return (x - kOnes) & ~x & kHighs;
}

}  // namespace

void RemoveLineBreaks(std::string& text) {
    RemoveLineBreaks(text, nullptr);
}

void RemoveLineBreaks(std::string& text, std::vector<std::uint64_t>* marks) {
    char* const data = text.data();
    const std::size_t size = text.size();
    if (marks != nullptr) {
        marks->clear();
    }
    if (std::memchr(data, '\r', size) == nullptr && std::memchr(data, '\n', size) == nullptr) {
        return;
    }
    if (marks != nullptr) {
        marks->assign(size / 64 + 1, 0);
    }
    // Marks the byte that will be written next: a line break stood before it.
    const auto mark = [marks](std::size_t at) {
        if (marks != nullptr) {
            (*marks)[at / 64] |= std::uint64_t{1} << (at % 64);
        }
    };
    std::size_t read = 0;
    std::size_t write = 0;
    // Sixteen bytes at a time: pages have a line break every few dozen bytes, too often for
    // memchr to pay and too seldom for a byte loop to be quick.
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    // Stores of a block's pieces may run up to 15 bytes past it, so the next block is always
    // loaded before the current one is stored.
    if (read + 16 <= size) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + read));
        while (read + 32 <= size) {
            const __m128i next =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + read + 16));
            const unsigned breaks = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
            if (breaks == 0) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(data + write), block);
                write += 16;
            } else {
                alignas(16) char bytes[32] = {};
                _mm_store_si128(reinterpret_cast<__m128i*>(bytes), block);
                unsigned piece = 0;
                for (unsigned rest = breaks; rest != 0; rest &= rest - 1) {
                    const unsigned at = static_cast<unsigned>(__builtin_ctz(rest));
                    std::memcpy(data + write, bytes + piece, 16);
                    write += at - piece;
                    mark(write);
                    piece = at + 1;
                }
                std::memcpy(data + write, bytes + piece, 16);
                write += 16 - piece;
            }
            read += 16;
            block = next;
        }
        // Memory under the last block may hold stores of the one before; its register copy
        // is the truth.
        alignas(16) char bytes[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(bytes), block);
        for (const char c : bytes) {
            if (c != '\r' && c != '\n') {
                data[write++] = c;
            } else {
                mark(write);
            }
        }
        read += 16;
    }
#else
    while (read + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + read, 8);
        if ((HasByte(word, '\r') | HasByte(word, '\n')) == 0) {
            std::memmove(data + write, data + read, 8);
            write += 8;
            read += 8;
            continue;
        }
        for (const std::size_t stop = read + 8; read < stop; ++read) {
            if (data[read] != '\r' && data[read] != '\n') {
                data[write++] = data[read];
            } else {
                mark(write);
            }
        }
    }
#endif
    for (; read < size; ++read) {
        if (data[read] != '\r' && data[read] != '\n') {
            data[write++] = data[read];
        } else {
            mark(write);
        }
    }
    text.resize(write);
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

namespace {

// The length of the well-formed UTF-8 sequence at pos: 0 for a stray byte, an overlong form, a
// surrogate or a code point beyond U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    char32_t point = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - pos < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        point = (point << 6) | (next & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return point < smallest || point > 0x10FFFF || surrogate ? 0 : length;
}

void AppendHex(std::string& out, std::string_view prefix, unsigned value, int digits) {
    static constexpr std::string_view kDigits = "0123456789abcdef";
    out += prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

void AppendControl(std::string& out, unsigned char c) {
    switch (c) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case 0x1B:
            out += "\\e";
            return;
        default:
            AppendHex(out, "\\x", c, 2);
    }
}

}  // namespace

std::size_t FirstInvalidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, pos);
        if (length == 0) {
            return pos;
        }
        pos += length;
    }
    return npos;
}

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        const std::size_t length = Utf8SequenceAt(text, pos);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            AppendControl(out, c);
            ++pos;
            continue;
        }
        // U+0080 to U+009F: the C1 controls, CSI among them.
        const auto second = length == 2 ? static_cast<unsigned char>(text[pos + 1]) : 0;
        if (c == 0xC2 && second < 0xA0) {
            AppendHex(out, "\\u00", second, 2);
        } else {
            out.append(text.substr(pos, length));
        }
        pos += length;
    }
    return out;
}

}  // namespace quexa::core
