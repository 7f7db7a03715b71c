#include "core/text.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
}  // namespace quexa::core
