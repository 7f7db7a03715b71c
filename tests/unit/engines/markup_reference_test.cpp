// The fast text passes against slow step-by-step versions written straight from the rules, on
// random texts made of the characters that matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "core/text.h"
#include "engines/markup.h"

namespace quexa::engines {
namespace {

std::string Latin1(unsigned code) {
    if (code < 0x80) {
        return std::string(1, static_cast<char>(code));
    }
    return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

// Tags that style their text vanish; any other tag counts as white space, and every run of white
// space becomes one space.
void SlowStripTags(std::string& text) {
    static const std::vector<std::string> styling = {
        "a",      "abbr",   "b",   "bdi", "bdo",  "big",  "cite", "code", "data", "del",   "dfn",
        "em",     "font",   "i",   "ins", "kbd",  "mark", "q",    "s",    "samp", "small", "span",
        "strike", "strong", "sub", "sup", "time", "tt",   "u",    "var",  "wbr"};
    std::string spaced;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('<', at);
        const std::size_t close = open == std::string::npos ? open : text.find('>', open);
        if (close == std::string::npos) {
            spaced += text.substr(at);
            break;
        }
        spaced += text.substr(at, open - at);
        std::string name;
        for (std::size_t k = open + 1 + (text[open + 1] == '/' ? 1 : 0);
             k < close && std::isalnum(static_cast<unsigned char>(text[k])); ++k) {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(text[k])));
        }
        if (std::find(styling.begin(), styling.end(), name) == styling.end()) {
            spaced += ' ';
        }
        at = close + 1;
    }
    text.clear();
    for (std::size_t k = 0; k < spaced.size(); ++k) {
        const bool white = core::IsSpace(spaced[k]);
        if (!white) {
            text += spaced[k];
        } else if (k == 0 || !core::IsSpace(spaced[k - 1])) {
            text += ' ';
        }
    }
}

void SlowDecodeEntities(std::string& text) {
    static const std::vector<std::pair<std::string, unsigned>> names = {
        {"lt", 0x3C},    {"gt", 0x3E},     {"amp", 0x26},    {"ETH", 0xD0},    {"eth", 0xF0},
        {"quot", 0x22},  {"Auml", 0xC4},   {"Euml", 0xCB},   {"yuml", 0xFF},   {"AElig", 0xC6},
        {"szlig", 0xDF}, {"Agrave", 0xC0}, {"eacute", 0xE9}, {"yacute", 0xFD},
    };
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        const std::size_t semicolon = text.find(';', i);
        if (semicolon == std::string::npos) {
            out += text.substr(i);
            break;
        }
        if (text[i + 1] == '#') {
            bool digits = true;
            unsigned long long value = 0;
            for (std::size_t k = i + 2; k < semicolon; ++k) {
                digits = digits && text[k] >= '0' && text[k] <= '9';
                value = digits ? std::min<unsigned long long>(value * 10 + (text[k] - '0'), 100000)
                               : value;
            }
            if (digits && (value == 9 || value == 10 || (value >= 32 && value <= 126) ||
                           (value >= 161 && value <= 255))) {
                out += Latin1(static_cast<unsigned>(value));
            }
            i = semicolon + 1;
            continue;
        }
        const std::string name = text.substr(i + 1, semicolon - i - 1);
        const auto known = std::find_if(names.begin(), names.end(),
                                        [&](const auto& entry) { return entry.first == name; });
        if (name.size() < 2 || name.size() > 6 || known == names.end()) {
            out += '&';
            ++i;
            continue;
        }
        out += Latin1(known->second);
        i = semicolon + 1;
    }
    text = out;
}

void SlowReplaceSymbolEntities(std::string& text) {
    static const std::pair<const char*, const char*> steps[] = {
        {"&gt;", ">"},       {"&nbsp;", " "},        {"&quot;", "\""},      {"&lt;", "<"},
        {"&amp;", "&"},      {"&copy;", " (c) "},    {"&reg;", " (R) "},    {"&pound;", "\xC2\xA3"},
        {"&iexcl;", "i"},    {"&cent;", "\xC2\xA2"}, {"&yen;", "\xC2\xA5"}, {"&sect;", "\xC2\xA7"},
        {"&AElig;", " AE "}, {"&#149;", "->"},
    };
    for (const auto& [from, to] : steps) {
        text = core::ReplaceAll(text, from, to);
    }
}

// Random texts built from pieces that form, break and nest references and tags.
std::string RandomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "&",     ";",    "#",    "<",    ">",     " ",      "  ",      "\n",       "a",   "1",
        "9",     "x",    "amp",  "lt",   "gt",    "nbsp",   "quot",    "copy",     "reg", "pound",
        "iexcl", "cent", "yen",  "sect", "AEl",   "AElig",  "ig",      "g;",       "149", "65",
        "160",   "255",  "Euml", "eth",  "szlig", "eacute", "toolong", "\xC3\xA9", "\t",  "\r",
        "b",     "/",    "span", "<i>",  "</em>", "<div>",
    };
    std::uniform_int_distribution<std::size_t> count(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (std::size_t n = count(random); n > 0; --n) {
        text += pieces[pick(random)];
    }
    return text;
}

TEST(MarkupReferenceTest, FastPassesMatchTheStepByStepRules) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 60000; ++round) {
        const std::string input = RandomText(random);
        std::string fast = input;
        std::string slow = input;
        StripTags(fast);
        SlowStripTags(slow);
        ASSERT_EQ(fast, slow) << "StripTags of [" << input << "]";
        fast = slow = input;
        DecodeEntities(fast);
        SlowDecodeEntities(slow);
        ASSERT_EQ(fast, slow) << "DecodeEntities of [" << input << "]";
        fast = slow = input;
        ReplaceSymbolEntities(fast);
        SlowReplaceSymbolEntities(slow);
        ASSERT_EQ(fast, slow) << "ReplaceSymbolEntities of [" << input << "]";
    }
}

}  // namespace
}  // namespace quexa::engines
