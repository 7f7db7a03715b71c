#include "engines/markup.h"

#include <array>
#include <cstring>
#include <string_view>

namespace quexa::engines {

namespace {

constexpr std::size_t npos = std::string::npos;

struct NamedReference {
    std::string_view name;
    unsigned char code;
};

// Searched by length, in this order within a length.
constexpr std::array<NamedReference, 66> kNamedReferences{{
    {"lt", 0x3C},     {"gt", 0x3E},     {"amp", 0x26},    {"ETH", 0xD0},    {"eth", 0xF0},
    {"quot", 0x22},   {"Auml", 0xC4},   {"Euml", 0xCB},   {"Iuml", 0xCF},   {"Ouml", 0xD6},
    {"Uuml", 0xDC},   {"auml", 0xE4},   {"euml", 0xEB},   {"iuml", 0xEF},   {"ouml", 0xF6},
    {"uuml", 0xFC},   {"yuml", 0xFF},   {"Acirc", 0xC2},  {"Aring", 0xC5},  {"AElig", 0xC6},
    {"Ecirc", 0xCA},  {"Icirc", 0xCE},  {"Ocirc", 0xD4},  {"Ucirc", 0xDB},  {"THORN", 0xDE},
    {"szlig", 0xDF},  {"acirc", 0xE2},  {"aring", 0xE5},  {"aelig", 0xE6},  {"ecirc", 0xEA},
    {"icirc", 0xEE},  {"ocirc", 0xF4},  {"ucirc", 0xFB},  {"thorn", 0xFE},  {"Agrave", 0xC0},
    {"Aacute", 0xC1}, {"Atilde", 0xC3}, {"Ccedil", 0xC7}, {"Egrave", 0xC8}, {"Eacute", 0xC9},
    {"Igrave", 0xCC}, {"Iacute", 0xCD}, {"Ntilde", 0xD1}, {"Ograve", 0xD2}, {"Oacute", 0xD3},
    {"Otilde", 0xD5}, {"Oslash", 0xD8}, {"Ugrave", 0xD9}, {"Uacute", 0xDA}, {"Yacute", 0xDD},
    {"agrave", 0xE0}, {"aacute", 0xE1}, {"atilde", 0xE3}, {"ccedil", 0xE7}, {"egrave", 0xE8},
    {"eacute", 0xE9}, {"igrave", 0xEC}, {"iacute", 0xED}, {"ntilde", 0xF1}, {"ograve", 0xF2},
    {"oacute", 0xF3}, {"otilde", 0xF5}, {"oslash", 0xF8}, {"ugrave", 0xF9}, {"uacute", 0xFA},
    {"yacute", 0xFD},
}};

int LookUpName(std::string_view name) {
    for (const NamedReference& reference : kNamedReferences) {
        if (reference.name == name) {
            return reference.code;
        }
    }
    return -1;
}

// Writes a Latin-1 code point as UTF-8 at out; returns the bytes written.
std::size_t PutLatin1(char* out, unsigned code) {
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    out[0] = static_cast<char>(0xC0 | (code >> 6));
    out[1] = static_cast<char>(0x80 | (code & 0x3F));
    return 2;
}

bool KeptCode(unsigned value) {
    return value == 9 || value == 10 || (value >= 32 && value <= 126) ||
           (value >= 161 && value <= 255);
}

// Value of the digits between first and semicolon, or -1 when a non-digit stands there.
long ReadDecimal(const std::string& text, std::size_t first, std::size_t semicolon) {
    long value = 0;
    for (std::size_t i = first; i < semicolon; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            return -1;
        }
        if (value < 1000) {  // anything above 255 is dropped alike
            value = value * 10 + (c - '0');
        }
    }
    return value;
}

// Moves text[from, to) down to write.
void CopyDown(std::string& text, std::size_t& write, std::size_t from, std::size_t to) {
    if (write != from && to > from) {
        std::memmove(text.data() + write, text.data() + from, to - from);
    }
    write += to - from;
}

bool StartsWithAt(const std::string& text, std::size_t at, std::string_view what) {
    return text.compare(at, what.size(), what) == 0;
}

struct Symbol {
    std::string_view name;  // between "&" and ";" inclusive of the ";"
    std::string_view replacement;
};

// "&amp;" is last among the first group: the "&" it yields must not start one of these.
constexpr std::array<Symbol, 5> kMarkupSymbols{{
    {"gt;", ">"},
    {"nbsp;", " "},
    {"quot;", "\""},
    {"lt;", "<"},
    {"amp;", "&"},
}};

constexpr std::array<Symbol, 9> kTextSymbols{{
    {"copy;", " (c) "},
    {"reg;", " (R) "},
    {"pound;", "\xC2\xA3"},
    {"iexcl;", "i"},
    {"cent;", "\xC2\xA2"},
    {"yen;", "\xC2\xA5"},
    {"sect;", "\xC2\xA7"},
    {"AElig;", " AE "},
    {"#149;", "->"},
}};

// One left-to-right pass replacing "&name;" for the symbols given. Replacements are never
// longer than what they replace, so it works in place.
template <std::size_t N>
void ReplaceSymbols(std::string& text, const std::array<Symbol, N>& symbols) {
    std::size_t read = 0;
    std::size_t write = 0;
    const std::size_t size = text.size();
    while (read < size) {
        const std::size_t amp = text.find('&', read);
        if (amp == npos) {
            break;
        }
        CopyDown(text, write, read, amp + 1);
        read = amp + 1;
        for (const Symbol& symbol : symbols) {
            if (!StartsWithAt(text, read, symbol.name)) {
                continue;
            }
            --write;  // the "&"
            symbol.replacement.copy(text.data() + write, symbol.replacement.size());
            write += symbol.replacement.size();
            read += symbol.name.size();
            // "&AEl&iexcl;g;" spells "&AElig;" once the inner name is replaced.
            if (symbol.name == "iexcl;" && write >= 5 &&
                std::string_view(text.data() + write - 5, 5) == "&AEli" &&
                StartsWithAt(text, read, "g;")) {
                write -= 5;
                std::string_view(" AE ").copy(text.data() + write, 4);
                write += 4;
                read += 2;
            }
            break;
        }
    }
    CopyDown(text, write, read, size);
    text.resize(write);
}

}  // namespace

void StripTags(std::string& text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    std::size_t read = 0;
    std::size_t write = 0;
    while (true) {
        const std::size_t open = text.find('<', read);
        if (open == npos) {
            break;
        }
        const std::size_t close = text.find('>', open + 1);
        if (close == npos) {
            break;
        }
        CopyDown(text, write, read, open);
        text[write++] = ' ';
        read = close + 1;
    }
    CopyDown(text, write, read, text.size());
    text.resize(write);

    // Pairs of spaces vanish: a run of three leaves one, a run of four none.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') {
            ++i;
            continue;
        }
        text[kept++] = text[i];
    }
    text.resize(kept);
}

void DecodeEntities(std::string& text) {
    std::size_t read = 0;
    std::size_t write = 0;
    std::size_t semicolon = 0;  // the first ";" after the last "&" looked at
    bool semicolonKnown = false;
    const std::size_t size = text.size();
    while (read < size) {
        const std::size_t amp = text.find('&', read);
        if (amp == npos) {
            break;
        }
        CopyDown(text, write, read, amp);
        read = amp;
        if (!semicolonKnown || semicolon < amp) {
            semicolon = text.find(';', amp + 1);
            semicolonKnown = true;
        }
        if (semicolon == npos) {
            break;  // no reference can end any more: the rest stays as it is
        }
        if (text[amp + 1] == '#') {
            const long value = ReadDecimal(text, amp + 2, semicolon);
            if (value >= 0 && KeptCode(static_cast<unsigned>(value))) {
                write += PutLatin1(text.data() + write, static_cast<unsigned>(value));
            }
            read = semicolon + 1;
            continue;
        }
        const std::size_t length = semicolon - amp - 1;
        const int code = (length >= 2 && length <= 6)
                             ? LookUpName(std::string_view(text).substr(amp + 1, length))
                             : -1;
        if (code < 0) {
            text[write++] = '&';
            read = amp + 1;
            continue;
        }
        write += PutLatin1(text.data() + write, static_cast<unsigned>(code));
        read = semicolon + 1;
    }
    CopyDown(text, write, read, size);
    text.resize(write);
}

void ReplaceSymbolEntities(std::string& text) {
    ReplaceSymbols(text, kMarkupSymbols);
    ReplaceSymbols(text, kTextSymbols);
}

}  // namespace quexa::engines
