#include "literal_reading.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace quexa::literal {

namespace {

constexpr std::size_t npos = std::string::npos;

// Every occurrence, left to right without overlap; the replacement is not searched again.
std::string Replace(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) {
        return text;
    }
    std::string out;
    std::size_t at = 0;
    for (std::size_t hit = text.find(from); hit != npos; hit = text.find(from, at)) {
        out += text.substr(at, hit - at) + to;
        at = hit + from.size();
    }
    return out + text.substr(at);
}

bool Space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && Space(text[begin])) {
        ++begin;
    }
    while (end > begin && Space(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string TrimQuotes(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == '"') {
        ++begin;
    }
    while (end > begin && text[end - 1] == '"') {
        --end;
    }
    return text.substr(begin, end - begin);
}

// The text from begin up to end; nothing when the end lies before the begin.
std::string Range(const std::string& text, std::size_t begin, std::size_t end) {
    return end > begin ? text.substr(begin, end - begin) : std::string();
}

// At most limit bytes, never cutting into a UTF-8 sequence of up to four bytes.
std::string Cut(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t cut = limit;
    for (int back = 0;
         back < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++back) {
        --cut;
    }
    if ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        cut = limit;
    }
    return text.substr(0, cut);
}

std::string Utf8(unsigned code) {
    if (code < 0x80) {
        return std::string(1, static_cast<char>(code));
    }
    return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

const std::vector<std::pair<std::string, unsigned>>& Names() {
    static const std::vector<std::pair<std::string, unsigned>> names = {
        {"lt", 60},      {"gt", 62},      {"amp", 38},     {"ETH", 208},    {"eth", 240},
        {"quot", 34},    {"Auml", 196},   {"Euml", 203},   {"Iuml", 207},   {"Ouml", 214},
        {"Uuml", 220},   {"auml", 228},   {"euml", 235},   {"iuml", 239},   {"ouml", 246},
        {"uuml", 252},   {"yuml", 255},   {"Acirc", 194},  {"Aring", 197},  {"AElig", 198},
        {"Ecirc", 202},  {"Icirc", 206},  {"Ocirc", 212},  {"Ucirc", 219},  {"THORN", 222},
        {"szlig", 223},  {"acirc", 226},  {"aring", 229},  {"aelig", 230},  {"ecirc", 234},
        {"icirc", 238},  {"ocirc", 244},  {"ucirc", 251},  {"thorn", 254},  {"Agrave", 192},
        {"Aacute", 193}, {"Atilde", 195}, {"Ccedil", 199}, {"Egrave", 200}, {"Eacute", 201},
        {"Igrave", 204}, {"Iacute", 205}, {"Ntilde", 209}, {"Ograve", 210}, {"Oacute", 211},
        {"Otilde", 213}, {"Oslash", 216}, {"Ugrave", 217}, {"Uacute", 218}, {"Yacute", 221},
        {"agrave", 224}, {"aacute", 225}, {"atilde", 227}, {"ccedil", 231}, {"egrave", 232},
        {"eacute", 233}, {"igrave", 236}, {"iacute", 237}, {"ntilde", 241}, {"ograve", 242},
        {"oacute", 243}, {"otilde", 245}, {"oslash", 248}, {"ugrave", 249}, {"uacute", 250},
        {"yacute", 253},
    };
    return names;
}

// A tag whose name (after one "/", letters and digits up to the first other byte) is one of
// the styling tags.
bool StylingTag(const std::string& inside) {
    static const std::vector<std::string> styling = {
        "a",      "abbr",   "b",   "bdi", "bdo",  "big",  "cite", "code", "data", "del",   "dfn",
        "em",     "font",   "i",   "ins", "kbd",  "mark", "q",    "s",    "samp", "small", "span",
        "strike", "strong", "sub", "sup", "time", "tt",   "u",    "var",  "wbr"};
    std::size_t at = !inside.empty() && inside[0] == '/' ? 1 : 0;
    std::string name;
    while (at < inside.size() && std::isalnum(static_cast<unsigned char>(inside[at]))) {
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(inside[at++])));
    }
    return std::find(styling.begin(), styling.end(), name) != styling.end();
}

std::string Utf8Any(unsigned long code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// Text pieces of a delimiter: any text may stand between two of them.
std::vector<std::string> SkipPieces(const std::string& delimiter) {
    std::vector<std::string> pieces;
    std::size_t at = 0;
    for (std::size_t hit = delimiter.find("*SKIP*"); hit != npos;
         hit = delimiter.find("*SKIP*", at)) {
        pieces.push_back(delimiter.substr(at, hit - at));
        at = hit + 6;
    }
    pieces.push_back(delimiter.substr(at));
    return pieces;
}

std::vector<std::string> Split(const std::string& text, bool emptyGivesNothing) {
    const std::string separator = "*&*";
    if (emptyGivesNothing && text.empty()) {
        return {};
    }
    const std::size_t first = text.find(separator);
    if (first == npos || first == 0) {
        return {text};
    }
    std::vector<std::string> entries;
    std::size_t at = 0;
    for (std::size_t hit = text.find(separator, at); hit != npos; hit = text.find(separator, at)) {
        entries.push_back(text.substr(at, hit - at));
        at = hit + separator.size();
    }
    if (at < text.size()) {
        entries.push_back(text.substr(at));
    }
    return entries;
}

struct Cuts {
    bool usable = false;
    std::array<std::string, 4> delimiters;
    std::array<int, 3> order{};  // 0 title, 1 location, 2 preview
};

Cuts CutTemplate(const std::string& itemTemplate) {
    const std::array<std::string, 3> names = {"*TITLE*", "*URL*", "*PREVIEW*"};
    std::vector<std::pair<std::size_t, int>> found;
    for (int i = 0; i < 3; ++i) {
        found.emplace_back(itemTemplate.find(names[i]), i);
    }
    Cuts cuts;
    if (std::any_of(found.begin(), found.end(), [](const auto& f) { return f.first == npos; })) {
        return cuts;
    }
    std::sort(found.begin(), found.end());
    cuts.delimiters[0] = itemTemplate.substr(0, found[0].first);
    std::string rest = itemTemplate.substr(found[0].first + names[found[0].second].size());
    for (int i = 1; i < 3; ++i) {
        const std::string& name = names[found[i].second];
        const std::size_t at = rest.find(name);
        if (at == npos) {
            return cuts;
        }
        cuts.delimiters[i] = rest.substr(0, at);
        rest = rest.substr(at + name.size());
    }
    cuts.delimiters[3] = rest;
    for (int i = 0; i < 3; ++i) {
        cuts.order[i] = found[i].second;
    }
    cuts.usable = true;
    return cuts;
}

std::string NextPageUrl(const std::string& page, const std::string& nextTemplate,
                        const std::string& root) {
    const std::size_t marker = nextTemplate.find("*URL*");
    if (marker == npos) {
        return "";
    }
    std::string start = nextTemplate.substr(0, marker);
    std::string end = nextTemplate.substr(marker + 5);
    std::string link;
    if (nextTemplate.find("</ENDFIRST/>") != npos) {
        start = Replace(start, "</ENDFIRST/>", "");
        end = Replace(end, "</ENDFIRST/>", "");
        const std::size_t endAt = page.find(end);
        if (endAt == npos) {
            return "";
        }
        std::size_t last = npos;
        // The empty text begins everywhere; the last place before the end text is one before it.
        for (std::size_t at = page.find(start); at != npos && at < endAt;
             at = page.find(start, at + std::max<std::size_t>(start.size(), 1))) {
            last = at;
        }
        if (last == npos) {
            return "";
        }
        link = Range(page, last + start.size(), endAt);
    } else {
        const std::size_t startAt = page.find(start);
        if (startAt == npos) {
            return "";
        }
        const std::size_t endAt = page.find(end, startAt + start.size());
        if (endAt == npos) {
            return "";
        }
        link = Range(page, startAt + start.size(), endAt);
    }
    link = Trim(TrimQuotes(Trim(link)));
    if (!root.empty()) {
        link = root + link;
    }
    return DecodeEntities(link);
}

}  // namespace

std::string StripTags(std::string text) {
    const std::size_t rounds = text.size();
    for (std::size_t round = 0; round < rounds; ++round) {
        const std::size_t open = text.find('<');
        if (open == npos) {
            break;
        }
        const std::size_t close = text.find('>', open + 1);
        if (close == npos) {
            break;
        }
        const bool styling = StylingTag(text.substr(open + 1, close - open - 1));
        text = text.substr(0, open) + (styling ? "" : " ") + text.substr(close + 1);
    }
    std::string out;
    bool spaced = false;
    for (const char c : text) {
        if (!Space(c)) {
            out += c;
            spaced = false;
        } else if (!spaced) {
            out += ' ';
            spaced = true;
        }
    }
    return out;
}

std::string DecodeJsonEscapes(const std::string& text) {
    std::string out;
    std::size_t i = 0;
    const auto unitAt = [&text](std::size_t at) -> long {
        if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') {
            return -1;
        }
        const std::string digits = text.substr(at + 2, 4);
        if (digits.find_first_not_of("0123456789abcdefABCDEF") != npos) {
            return -1;
        }
        return std::stol(digits, nullptr, 16);
    };
    while (i < text.size()) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i++];
            continue;
        }
        const std::string shortForms = "\"\\/nrtf";
        const std::string meanings = "\"\\/\n\r\t\f";
        const std::size_t form = shortForms.find(text[i + 1]);
        if (form != npos) {
            out += meanings[form];
            i += 2;
            continue;
        }
        if (text[i + 1] == 'b') {
            i += 2;
            continue;
        }
        long unit = unitAt(i);
        if (unit < 0) {
            out += text[i++];
            continue;
        }
        i += 6;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            const long low = unitAt(i);
            if (low < 0xDC00 || low > 0xDFFF) {
                continue;
            }
            i += 6;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        } else if (unit == 0 || (unit >= 0xDC00 && unit <= 0xDFFF)) {
            continue;
        }
        out += Utf8Any(static_cast<unsigned long>(unit));
    }
    return out;
}

std::string DecodeEntities(const std::string& text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        const std::size_t semicolon = text.find(';', i);
        if (semicolon == npos) {
            out += text[i++];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '#') {
            bool digits = true;
            unsigned long value = 0;
            for (std::size_t k = i + 2; k < semicolon && digits; ++k) {
                digits = text[k] >= '0' && text[k] <= '9';
                value = std::min<unsigned long>(value * 10 + (text[k] - '0'), 1000);
            }
            const bool kept = value == 9 || value == 10 || (value >= 32 && value <= 126) ||
                              (value >= 161 && value <= 255);
            if (digits && kept) {
                out += Utf8(static_cast<unsigned>(value));
            }
            i = semicolon + 1;
            continue;
        }
        const std::string name = text.substr(i + 1, semicolon - i - 1);
        bool decoded = false;
        if (name.size() >= 2 && name.size() <= 6) {
            for (const auto& [known, code] : Names()) {
                if (known == name) {
                    out += Utf8(code);
                    i = semicolon + 1;
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded) {
            out += text[i++];
        }
    }
    return out;
}

std::string ReplaceSymbolEntities(std::string text) {
    static const std::pair<const char*, const char*> steps[] = {
        {"&gt;", ">"},       {"&nbsp;", " "},        {"&quot;", "\""},      {"&lt;", "<"},
        {"&amp;", "&"},      {"&copy;", " (c) "},    {"&reg;", " (R) "},    {"&pound;", "\xC2\xA3"},
        {"&iexcl;", "i"},    {"&cent;", "\xC2\xA2"}, {"&yen;", "\xC2\xA5"}, {"&sect;", "\xC2\xA7"},
        {"&AElig;", " AE "}, {"&#149;", "->"},
    };
    for (const auto& [from, to] : steps) {
        text = Replace(text, from, to);
    }
    return text;
}

std::vector<std::string> SplitTemplateList(const std::string& text) {
    return Split(text, false);
}

std::string ApplyUrlRules(const std::string& field, std::string location) {
    for (const std::string& rule : Split(field, true)) {
        bool rootStep = true;
        if (rule.find("<URL>") != npos && rule.find("</URL>") != npos) {
            const std::size_t marker = rule.find("*URL*");
            std::size_t prefixAt = npos;
            std::string prefix;
            std::string suffix;
            if (marker != npos) {
                prefix = Range(rule, 5, marker);
                suffix = Range(rule, marker + 5, rule.size() >= 6 ? rule.size() - 6 : 0);
                prefixAt = location.find(prefix);
            }
            if (prefixAt == npos) {
                rootStep = false;
            } else {
                const std::size_t suffixAt = location.find(suffix, prefixAt);
                const std::size_t end =
                    suffixAt == npos || suffixAt <= prefixAt ? location.size() : suffixAt;
                location = Range(location, prefixAt + prefix.size(), end);
            }
        }
        if (rootStep && rule.find("<URLROOT>") != npos && rule.find("</URLROOT>") != npos) {
            location = Replace(Replace(rule, "<URLROOT>", ""), "</URLROOT>", "") + location;
        }
        if (location.find("://") == npos) {
            location = "http://" + location;
        }
    }
    return location;
}

PageResult ExtractPage(const Engine& engine, std::string original) {
    PageResult result;
    // The page without line breaks, and for each of its bytes whether a break stood before it.
    std::string page;
    std::vector<bool> breakBefore;
    bool pendingBreak = false;
    for (const char c : original) {
        if (c == '\r' || c == '\n') {
            pendingBreak = true;
            continue;
        }
        page += c;
        breakBefore.push_back(pendingBreak);
        pendingBreak = false;
    }
    // A value's text: a line break between two of its bytes leaves a space.
    const auto valueText = [&](std::size_t begin, std::size_t end) {
        std::string text;
        for (std::size_t k = begin; k < end; ++k) {
            if (k > begin && breakBefore[k]) {
                text += ' ';
            }
            text += page[k];
        }
        return text;
    };
    for (const std::string& entry : SplitTemplateList(engine.itemTemplates)) {
        std::string itemTemplate = Replace(entry, "*TAB*", "\t");
        const bool json = itemTemplate.find("</JSON/>") != npos;
        itemTemplate = Replace(itemTemplate, "</JSON/>", "");
        const bool xml = itemTemplate.find("</XML/>") != npos;
        itemTemplate = Replace(itemTemplate, "</XML/>", "");
        const Cuts cuts = CutTemplate(itemTemplate);
        if (!cuts.usable) {
            continue;
        }
        std::array<std::vector<std::string>, 4> d;
        std::string allText;
        for (int i = 0; i < 4; ++i) {
            d[i] = SkipPieces(cuts.delimiters[i]);
            for (const std::string& piece : d[i]) {
                allText += piece;
            }
        }
        // Delimiters without any text stand still and give nothing but empty items.
        if (allText.empty()) {
            continue;
        }
        std::size_t scan = 0;
        while (true) {
            std::array<std::size_t, 4> at{};
            std::array<std::size_t, 4> after{};
            std::size_t from = scan;
            bool found = true;
            for (int i = 0; i < 4 && found; ++i) {
                at[i] = page.find(d[i][0], from);
                found = at[i] != npos;
                std::size_t end = found ? at[i] + d[i][0].size() : 0;
                for (std::size_t p = 1; found && p < d[i].size(); ++p) {
                    const std::size_t hit = page.find(d[i][p], end);
                    found = hit != npos;
                    end = found ? hit + d[i][p].size() : 0;
                }
                after[i] = end;
                from = end;
            }
            if (!found) {
                break;
            }
            scan = from;
            const auto decoded = [json](const std::string& text) {
                return json ? DecodeJsonEscapes(text) : text;
            };
            // XML text holding escaped markup: its references first, then the tags.
            const auto unescaped = [xml](const std::string& text) {
                return xml ? DecodeEntities(text) : text;
            };
            std::array<std::string, 3> values;  // title, location, preview
            for (int i = 0; i < 3; ++i) {
                values[cuts.order[i]] = cuts.order[i] == 1
                                            ? decoded(Range(page, after[i], at[i + 1]))
                                            : decoded(valueText(after[i], at[i + 1]));
            }
            Item item;
            item.location = DecodeEntities(Trim(values[1]));
            item.title = DecodeEntities(Trim(StripTags(unescaped(values[0]))));
            item.preview = DecodeEntities(Trim(StripTags(unescaped(values[2]))));
            if (item.title.empty() || item.location.empty()) {
                continue;
            }
            item.location = ApplyUrlRules(engine.urlRules, TrimQuotes(item.location));
            item.title = Cut(ReplaceSymbolEntities(item.title), 255);
            item.location = Cut(item.location, 255);
            item.preview = Cut(ReplaceSymbolEntities(item.preview), 1023);
            result.items.push_back(item);
        }
    }
    for (const std::string& entry : SplitTemplateList(engine.nextPageTemplates)) {
        result.nextPage = NextPageUrl(page, Replace(entry, "*TAB*", "\t"), engine.nextPageRoot);
        if (!result.nextPage.empty()) {
            break;
        }
    }
    return result;
}

}  // namespace quexa::literal
