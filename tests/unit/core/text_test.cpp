#include "core/text.h"

#include "core/searcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quexa::core {
namespace {

TEST(TextTest, FindHonoursStartAndEmptyNeedle) {
    struct Case {
        std::string text, needle;
        std::size_t from, expected;
    };
    const Case cases[] = {
        {"abcabc", "bc", 0, 1},    {"abcabc", "bc", 2, 4},
        {"abcabc", "bc", 5, npos}, {"abc", "", 2, 2},
        {"abc", "", 3, 3},         {"abc", "", 4, npos},
        {"", "a", 0, npos},        {std::string("a\0b", 3), std::string("\0b", 2), 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(c.text, c.needle, c.from), c.expected) << c.text << " / " << c.needle;
    }
}

TEST(TextTest, SearcherAgreesWithFind) {
    const std::string text("abcabcabd abd xyzzy abcabd\0tailabc", 34);
    const std::string needles[] = {"",
                                   "a",
                                   "d",
                                   "ab",
                                   "abd",
                                   "abcabd",
                                   "zzy",
                                   "tail",
                                   "none",
                                   "abcabcabd abd xyzzy abcabd",
                                   std::string("\0t", 2)};
    for (const std::string& needle : needles) {
        const Searcher searcher(needle);
        for (std::size_t from = 0; from <= text.size() + 1; ++from) {
            EXPECT_EQ(searcher.Find(text, from), Find(text, needle, from))
                << "[" << needle << "] from " << from;
        }
    }
}

TEST(TextTest, TrimAndReplace) {
    EXPECT_EQ(Trim(" \t\r\n\v\fa b \n"), "a b");
    EXPECT_EQ(Trim("   "), "");
    std::string quoted = "\"\"x\"y\"\"";
    TrimCharInPlace(quoted, '"');
    EXPECT_EQ(quoted, "x\"y");
    std::string allQuotes = "\"\"\"";
    TrimCharInPlace(allQuotes, '"');
    EXPECT_EQ(allQuotes, "");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceAll("aaa", "aa", ""), "a");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(TextTest, RemoveLineBreaks) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\r\nb\nc\rd", "abcd"},
        {"\r\n\r\n", ""},
        {"plain", "plain"},
        {"\nx\n", "x"},
        {"", ""},
        {"\n\n\rab\r\r", "ab"},
        {"0123456\n89abcdef\rghijklmnopq\r\n", "012345689abcdefghijklmnopq"},
        {"01234567\n", "01234567"},
        {"\r\r\r\r\r\r\r\r\r", ""},
    };
    for (const auto& [input, expected] : cases) {
        std::string text = input;
        RemoveLineBreaks(text);
        EXPECT_EQ(text, expected);
    }
    // Long texts with breaks at every offset within the blocks the fast path works on.
    for (std::size_t every = 1; every <= 40; ++every) {
        std::string text;
        std::string expected;
        for (std::size_t i = 0; i < 300 + every; ++i) {
            const char c = static_cast<char>('a' + i % 26);
            text += c;
            expected += c;
            if (i % every == 0) {
                text += (i % 3 == 0) ? "\r\n" : "\n";
            }
        }
        RemoveLineBreaks(text);
        EXPECT_EQ(text, expected) << every;
    }
}

TEST(TextTest, RemoveLineBreaksMatchesByteByByteRemoval) {
    std::mt19937 random(42);
    for (int round = 0; round < 3000; ++round) {
        std::string text(static_cast<std::size_t>(random() % 200), 'x');
        const auto density = static_cast<unsigned>(1 + random() % 20);
        for (char& c : text) {
            const auto roll = static_cast<unsigned>(random() % (2 * density));
            c = roll == 0 ? '\r' : roll == 1 ? '\n' : static_cast<char>('a' + roll % 26);
        }
        std::string expected = text;
        std::erase_if(expected, [](char c) { return c == '\r' || c == '\n'; });
        // Byte i of the result is marked when a break stood right before it.
        std::vector<bool> marked;
        bool pending = false;
        for (const char c : text) {
            if (c == '\r' || c == '\n') {
                pending = true;
                continue;
            }
            marked.push_back(pending);
            pending = false;
        }
        marked.push_back(pending);  // a break at the very end marks the end
        std::vector<std::uint64_t> marks;
        RemoveLineBreaks(text, &marks);
        ASSERT_EQ(text, expected);
        const bool anyBreak = std::find(marked.begin(), marked.end(), true) != marked.end();
        ASSERT_EQ(marks.empty(), !anyBreak);
        for (std::size_t i = 0; anyBreak && i < marked.size(); ++i) {
            ASSERT_EQ(((marks[i / 64] >> (i % 64)) & 1U) != 0, marked[i]) << round << " " << i;
        }
    }
}

TEST(TextTest, CutsNeverSplitACharacter) {
    struct Case {
        std::string text;
        std::size_t max;
        std::string expected;
    };
    const Case cases[] = {
        {"abc", 5, "abc"},
        {"ab\xC3\xA9", 3, "ab"},          // é would be split
        {"ab\xC3\xA9", 4, "ab\xC3\xA9"},  // fits exactly
        {"a\xE2\x82\xAC"
         "b",
         3, "a"},                                 // € split after two of three bytes
        {"\x80\x80\x80\x80\x80", 2, "\x80\x80"},  // not UTF-8: plain byte cut
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        CutInPlace(text, c.max);
        EXPECT_EQ(text, c.expected);
    }
    EXPECT_EQ(BoundedCopy("abcdef", 4), "abc");
    EXPECT_EQ(BoundedCopy(std::string("ab\0cd", 5), 10), "ab");
    EXPECT_EQ(BoundedCopy("abc", 0), "");
}

TEST(TextTest, ControlCharactersAreEscapedForATerminal) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"plain caf\xC3\xA9 \xE2\x82\xAC", "plain caf\xC3\xA9 \xE2\x82\xAC"},
        {"\x1b[2Jcleared", "\\e[2Jcleared"},                 // erase the screen
        {"\x1b]0;owned\x07title", "\\e]0;owned\\x07title"},  // OSC window title, BEL
        {"row\nSTATUS forged\r", "row\\nSTATUS forged\\r"},  // a forged table row
        {"a\tb\x7f", "a\\tb\\x7f"},
        {std::string("nul\0end", 7), "nul\\x00end"},
        {"\xC2\x9B"
         "31m",
         "\\u009b31m"},                    // the C1 CSI
        {"\xC2\xA0nbsp", "\xC2\xA0nbsp"},  // U+00A0 is printable
        {"\x9b"
         "31m \xC3",
         "\\x9b31m \\xc3"},                                       // stray and cut bytes
        {"\xC0\xAF \xED\xA0\x80", "\\xc0\\xaf \\xed\\xa0\\x80"},  // overlong, surrogate
        {"back\\slash", "back\\slash"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeControls(c.text), c.shown) << c.text;
    }
}

TEST(TextTest, TheFirstInvalidUtf8ByteIsFound) {
    const struct {
        std::string text;
        std::size_t at;
    } cases[] = {
        {"", npos},
        {"ascii \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", npos},
        {"ab\xFF", 2},
        {"\xC3", 0},              // cut short
        {"ok\xE2\x82", 2},        // cut short
        {"\xC1\xBF", 0},          // overlong
        {"x\xED\xB0\x80", 1},     // surrogate
        {"\xF4\x90\x80\x80", 0},  // beyond U+10FFFF
        {"a\x80", 1},             // a continuation byte alone
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstInvalidUtf8(c.text), c.at) << c.text;
    }
}

}  // namespace
}  // namespace quexa::core
