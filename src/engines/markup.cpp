#include "engines/markup.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "core/text.h"

namespace quexa::engines {

namespace {

struct NamedReference {
    std::string_view name;
    unsigned char code;
};

// The decoding table by name length, each group in its search order.
constexpr std::array<NamedReference, 2> kNames2{{{"lt", 0x3C}, {"gt", 0x3E}}};
constexpr std::array<NamedReference, 3> kNames3{{{"amp", 0x26}, {"ETH", 0xD0}, {"eth", 0xF0}}};
constexpr std::array<NamedReference, 12> kNames4{{
    {"quot", 0x22},
    {"Auml", 0xC4},
    {"Euml", 0xCB},
    {"Iuml", 0xCF},
    {"Ouml", 0xD6},
    {"Uuml", 0xDC},
    {"auml", 0xE4},
    {"euml", 0xEB},
    {"iuml", 0xEF},
    {"ouml", 0xF6},
    {"uuml", 0xFC},
    {"yuml", 0xFF},
}};
constexpr std::array<NamedReference, 17> kNames5{{
    {"Acirc", 0xC2},
    {"Aring", 0xC5},
    {"AElig", 0xC6},
    {"Ecirc", 0xCA},
    {"Icirc", 0xCE},
    {"Ocirc", 0xD4},
    {"Ucirc", 0xDB},
    {"THORN", 0xDE},
    {"szlig", 0xDF},
    {"acirc", 0xE2},
    {"aring", 0xE5},
    {"aelig", 0xE6},
    {"ecirc", 0xEA},
    {"icirc", 0xEE},
    {"ocirc", 0xF4},
    {"ucirc", 0xFB},
    {"thorn", 0xFE},
}};
constexpr std::array<NamedReference, 32> kNames6{{
    {"Agrave", 0xC0}, {"Aacute", 0xC1}, {"Atilde", 0xC3}, {"Ccedil", 0xC7}, {"Egrave", 0xC8},
    {"Eacute", 0xC9}, {"Igrave", 0xCC}, {"Iacute", 0xCD}, {"Ntilde", 0xD1}, {"Ograve", 0xD2},
    {"Oacute", 0xD3}, {"Otilde", 0xD5}, {"Oslash", 0xD8}, {"Ugrave", 0xD9}, {"Uacute", 0xDA},
    {"Yacute", 0xDD}, {"agrave", 0xE0}, {"aacute", 0xE1}, {"atilde", 0xE3}, {"ccedil", 0xE7},
    {"egrave", 0xE8}, {"eacute", 0xE9}, {"igrave", 0xEC}, {"iacute", 0xED}, {"ntilde", 0xF1},
    {"ograve", 0xF2}, {"oacute", 0xF3}, {"otilde", 0xF5}, {"oslash", 0xF8}, {"ugrave", 0xF9},
    {"uacute", 0xFA}, {"yacute", 0xFD},
}};

template <std::size_t N>
int LookUpIn(const std::array<NamedReference, N>& names, std::string_view name) {
    for (const NamedReference& reference : names) {
        if (reference.name[0] == name[0] && reference.name == name) {
            return reference.code;
        }
    }
    return -1;
}

int LookUpName(std::string_view name) {
    switch (name.size()) {
        case 2:
            return LookUpIn(kNames2, name);
        case 3:
            return LookUpIn(kNames3, name);
        case 4:
            return LookUpIn(kNames4, name);
        case 5:
            return LookUpIn(kNames5, name);
        case 6:
            return LookUpIn(kNames6, name);
        default:
            return -1;
    }
}

// Writes a code point as UTF-8 at out; returns the bytes written.
std::size_t PutUtf8(char* out, unsigned long code) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

bool KeptCode(unsigned value) {
    return value == 9 || value == 10 || (value >= 32 && value <= 126) ||
           (value >= 161 && value <= 255);
}

// Value of the digits in [first, last), or -1 when a non-digit stands there. Values above 255
// are all dropped alike, so the reading saturates.
long ReadDecimal(const char* first, const char* last) {
    long value = 0;
    for (; first < last; ++first) {
        const char c = *first;
        if (c < '0' || c > '9') {
            return -1;
        }
        if (value < 1000) {
            value = value * 10 + (c - '0');
        }
    }
    return value;
}

struct Symbol {
    std::string_view name;  // after the "&", with the ";"
    std::string_view replacement;
};

bool MatchAt(const char* at, const char* end, std::string_view name) {
    return static_cast<std::size_t>(end - at) >= name.size() &&
           std::memcmp(at, name.data(), name.size()) == 0;
}

// First group, replaced before the second: "&amp;" may make a name of the second group.
const Symbol* MarkupSymbolAt(const char* at, const char* end) {
    static constexpr Symbol kGt{"gt;", ">"}, kNbsp{"nbsp;", " "}, kQuot{"quot;", "\""},
        kLt{"lt;", "<"}, kAmp{"amp;", "&"};
    const Symbol* candidate = nullptr;
    switch (*at) {
        case 'g':
            candidate = &kGt;
            break;
        case 'n':
            candidate = &kNbsp;
            break;
        case 'q':
            candidate = &kQuot;
            break;
        case 'l':
            candidate = &kLt;
            break;
        case 'a':
            candidate = &kAmp;
            break;
        default:
            return nullptr;
    }
    return MatchAt(at, end, candidate->name) ? candidate : nullptr;
}

const Symbol* TextSymbolAt(const char* at, const char* end) {
    static constexpr Symbol kCopy{"copy;", " (c) "}, kCent{"cent;", "\xC2\xA2"},
        kReg{"reg;", " (R) "}, kPound{"pound;", "\xC2\xA3"}, kIexcl{"iexcl;", "i"},
        kYen{"yen;", "\xC2\xA5"}, kSect{"sect;", "\xC2\xA7"}, kAElig{"AElig;", " AE "},
        kBullet{"#149;", "->"};
    const Symbol* candidate = nullptr;
    switch (*at) {
        case 'c':
            return MatchAt(at, end, kCopy.name) ? &kCopy
                                                : (MatchAt(at, end, kCent.name) ? &kCent : nullptr);
        case 'r':
            candidate = &kReg;
            break;
        case 'p':
            candidate = &kPound;
            break;
        case 'i':
            candidate = &kIexcl;
            break;
        case 'y':
            candidate = &kYen;
            break;
        case 's':
            candidate = &kSect;
            break;
        case 'A':
            candidate = &kAElig;
            break;
        case '#':
            candidate = &kBullet;
            break;
        default:
            return nullptr;
    }
    return MatchAt(at, end, candidate->name) ? candidate : nullptr;
}

void PutSymbol(char*& write, const char*& read, const Symbol& symbol) {
    std::memcpy(write, symbol.replacement.data(), symbol.replacement.size());
    write += symbol.replacement.size();
    read += symbol.name.size();
}

bool AsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Tags that only change how their text looks. Removing one must not split a word, as a browser
// shows "un<b>believ</b>able" as one word; every other tag separates like white space.
bool InlineTag(const char* tag, std::size_t length) {
    static constexpr std::array<std::string_view, 31> kInline{
        "a",      "abbr",   "b",   "bdi", "bdo",  "big",  "cite", "code", "data", "del",   "dfn",
        "em",     "font",   "i",   "ins", "kbd",  "mark", "q",    "s",    "samp", "small", "span",
        "strike", "strong", "sub", "sup", "time", "tt",   "u",    "var",  "wbr"};
    std::size_t at = length > 0 && tag[0] == '/' ? 1 : 0;
    char name[7];
    std::size_t size = 0;
    for (; at < length && AsciiAlnum(tag[at]); ++at) {
        if (size == sizeof name) {
            return false;
        }
        name[size++] = static_cast<char>(tag[at] | 0x20);  // letters and digits only
    }
    const std::string_view wanted(name, size);
    return size > 0 && std::find(kInline.begin(), kInline.end(), wanted) != kInline.end();
}

// Strips from in to out, which may be the same buffer: nothing is written ahead of what was read.
// Stops once cap bytes are written; consumed tells how far in was read.
std::size_t StripRun(const char* in, std::size_t size, char* out, std::size_t cap,
                     std::size_t& consumed) {
    // A "<" with no ">" after it ends tag removal, so tags only start before the last ">".
    const void* lastClose = memrchr(in, '>', size);
    const std::size_t tagLimit =
        lastClose == nullptr ? 0
                             : static_cast<std::size_t>(static_cast<const char*>(lastClose) - in);
    static constexpr auto kSpecial = [] {
        std::array<bool, 256> special{};
        for (const char c : {'<', ' ', '\t', '\r', '\n', '\v', '\f'}) {
            special[static_cast<unsigned char>(c)] = true;
        }
        return special;
    }();
    std::size_t read = 0;
    std::size_t write = 0;
    // The last byte written stands for white space or a separating tag; more of either adds
    // nothing, so a run of them is one space.
    bool spaced = false;
    while (read < size && write < cap) {
        const char c = in[read];
        if (!kSpecial[static_cast<unsigned char>(c)]) {
            out[write++] = c;
            ++read;
            spaced = false;
            continue;
        }
        ++read;
        if (c == '<') {
            if (read > tagLimit) {
                out[write++] = c;
                spaced = false;
                continue;
            }
            // Most tags are short: a few bytes by hand before memchr pays.
            std::size_t close = read;
            while (close < read + 8 && in[close] != '>') {  // stops at tagLimit at the latest
                ++close;
            }
            if (in[close] != '>') {
                close = static_cast<std::size_t>(
                    static_cast<const char*>(std::memchr(in + close, '>', tagLimit + 1 - close)) -
                    in);
            }
            const bool inlineTag = InlineTag(in + read, close - read);
            read = close + 1;
            if (inlineTag) {
                continue;
            }
        }
        if (!spaced) {
            out[write++] = ' ';
            spaced = true;
        }
    }
    consumed = read;
    return write;
}

// Decodes in place. Of a text that goes on beyond its end, only the part whose decoding cannot
// depend on what follows is kept.
void Decode(std::string& text, bool complete) {
    char* const data = text.data();
    const char* const end = data + text.size();
    char* write = data;
    const char* read = data;
    const char* semicolon = nullptr;  // the first ";" after the last "&" looked at
    while (read < end) {
        const char* amp = static_cast<const char*>(std::memchr(read, '&', end - read));
        if (amp == nullptr) {
            break;
        }
        if (write != read) {
            std::memmove(write, read, static_cast<std::size_t>(amp - read));
        }
        write += amp - read;
        read = amp;
        if (semicolon == nullptr || semicolon < read) {
            semicolon = static_cast<const char*>(std::memchr(read + 1, ';', end - read - 1));
            if (semicolon == nullptr) {
                if (!complete) {
                    text.resize(static_cast<std::size_t>(write - data));
                    return;
                }
                break;  // no reference can end any more: the rest stays as it is
            }
        }
        if (read[1] == '#') {
            const long value = ReadDecimal(read + 2, semicolon);
            if (value >= 0 && KeptCode(static_cast<unsigned>(value))) {
                write += PutUtf8(write, static_cast<unsigned>(value));
            }
            read = semicolon + 1;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(semicolon - read - 1);
        const int code = LookUpName(std::string_view(read + 1, length));
        if (code < 0) {
            *write++ = '&';
            ++read;
            continue;
        }
        write += PutUtf8(write, static_cast<unsigned>(code));
        read = semicolon + 1;
    }
    const std::size_t rest = static_cast<std::size_t>(end - read);
    if (write != read) {
        std::memmove(write, read, rest);
    }
    text.resize(static_cast<std::size_t>(write - data) + rest);
}

}  // namespace

void StripTags(std::string& text) {
    std::size_t consumed = 0;
    text.resize(StripRun(text.data(), text.size(), text.data(), text.size(), consumed));
}

bool StripTagsInto(std::string_view source, std::string& text, std::size_t cap) {
    text.resize(std::min(source.size(), cap));
    std::size_t consumed = 0;
    const std::size_t written =
        StripRun(source.data(), source.size(), text.data(), text.size(), consumed);
    if (consumed == source.size()) {
        text.resize(written);
        return true;
    }
    // A last space may still lose its partner and trailing white space may yet be trimmed: the
    // text ends at its last other byte.
    std::size_t settled = written;
    while (settled > 0 && core::IsSpace(text[settled - 1])) {
        --settled;
    }
    text.resize(settled);
    return false;
}

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The code unit of "\uXXXX" at at, or -1.
long JsonUnit(const char* at, const char* end) {
    if (end - at < 6 || at[0] != '\\' || at[1] != 'u') {
        return -1;
    }
    long unit = 0;
    for (int i = 2; i < 6; ++i) {
        const int digit = HexValue(at[i]);
        if (digit < 0) {
            return -1;
        }
        unit = unit * 16 + digit;
    }
    return unit;
}

char JsonShortEscape(char c) {
    switch (c) {
        case '"':
        case '\\':
        case '/':
            return c;
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'f':
            return '\f';
        default:
            return 0;
    }
}

}  // namespace

void DecodeJsonEscapes(std::string& text) {
    char* const data = text.data();
    const char* const end = data + text.size();
    char* write = data;
    const char* read = data;
    while (read < end) {
        const char* slash = static_cast<const char*>(std::memchr(read, '\\', end - read));
        if (slash == nullptr) {
            slash = end;
        }
        if (write != read) {
            std::memmove(write, read, static_cast<std::size_t>(slash - read));
        }
        write += slash - read;
        read = slash;
        if (read == end || read + 1 == end) {
            break;
        }
        if (read[1] == 'b') {  // a backspace means nothing in a title
            read += 2;
            continue;
        }
        if (const char escaped = JsonShortEscape(read[1]); escaped != 0) {
            *write++ = escaped;
            read += 2;
            continue;
        }
        const long unit = JsonUnit(read, end);
        if (unit < 0) {
            *write++ = *read++;  // not an escape: the backslash stays
            continue;
        }
        read += 6;
        unsigned long code = static_cast<unsigned long>(unit);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const long low = JsonUnit(read, end);
            if (low < 0xDC00 || low > 0xDFFF) {
                continue;  // a lone half of a pair stands for nothing
            }
            read += 6;
            code = 0x10000 + ((code - 0xD800) << 10) + static_cast<unsigned long>(low - 0xDC00);
        } else if ((unit >= 0xDC00 && unit <= 0xDFFF) || unit == 0) {
            continue;
        }
        write += PutUtf8(write, code);
    }
    const std::size_t rest = static_cast<std::size_t>(end - read);
    if (write != read) {
        std::memmove(write, read, rest);
    }
    text.resize(static_cast<std::size_t>(write - data) + rest);
}

void DecodeEntities(std::string& text) {
    Decode(text, true);
}

void DecodeEntitiesOfPrefix(std::string& text) {
    Decode(text, false);
}

// The symbols are replaced group after group, each group left to right. One pass gives the
// same text: a "&" made by "&amp;" can only start a name of the second group, and an "i" made
// by "&iexcl;" can only complete "&AElig;". No replacement is longer than what it replaces.
void ReplaceSymbolEntities(std::string& text) {
    char* const data = text.data();
    const char* const end = data + text.size();
    char* write = data;
    const char* read = data;
    while (read < end) {
        const char* amp = static_cast<const char*>(std::memchr(read, '&', end - read));
        if (amp == nullptr) {
            amp = end - 1;  // copy the rest below, then stop
        }
        if (write != read) {
            std::memmove(write, read, static_cast<std::size_t>(amp + 1 - read));
        }
        write += amp + 1 - read;
        read = amp + 1;
        if (*amp != '&' || read == end) {
            continue;
        }
        const Symbol* markup = MarkupSymbolAt(read, end);
        if (markup != nullptr) {
            --write;
            PutSymbol(write, read, *markup);
            if (markup->replacement != "&" || read == end) {
                continue;
            }
        }
        const Symbol* symbol = TextSymbolAt(read, end);
        if (symbol == nullptr) {
            continue;
        }
        --write;
        PutSymbol(write, read, *symbol);
        if (symbol->name == "iexcl;" && write - data >= 5 &&
            std::memcmp(write - 5, "&AEli", 5) == 0 && MatchAt(read, end, "g;")) {
            write -= 5;
            std::memcpy(write, " AE ", 4);
            write += 4;
            read += 2;
        }
    }
    text.resize(static_cast<std::size_t>(write - data));
}

}  // namespace quexa::engines
