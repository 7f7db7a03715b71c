#include "files/wildcard_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/pattern_list.h"

namespace quexa::files {
namespace {

struct MatchCase {
    std::string pattern;
    std::string name;
    bool matches;
};

class WildcardMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(WildcardMatchTest, MatchesAsAFileNameWildcard) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(WildcardPattern(c.pattern).Matches(c.name), c.matches)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Table, WildcardMatchTest,
    ::testing::Values(
        // Letter case is ignored on both sides.
        MatchCase{"*.txt", "NOTES.TXT", true}, MatchCase{"*.TXT", "notes.txt", true},
        MatchCase{"ReadMe", "README", true}, MatchCase{"readme", "readme.md", false},
        MatchCase{"*.txt", "notes.txt.bak", false}, MatchCase{"*.txt", "txt", false},
        MatchCase{"*.txt", ".txt", true},
        // "?" takes exactly one character, also a multi-byte one.
        MatchCase{"a?c", "abc", true}, MatchCase{"a?c", "ac", false},
        MatchCase{"a?c", "abbc", false}, MatchCase{"?", "\xC3\xA9", true},
        MatchCase{"caf?.txt", "caf\xC3\xA9.txt", true}, MatchCase{"??", "\xC3\xA9", false},
        // "*" takes any run, also none, and backtracks.
        MatchCase{"*", "", true}, MatchCase{"*", "anything", true},
        MatchCase{"a*b*c", "axxbyyc", true}, MatchCase{"a*b*c", "axxbyy", false},
        MatchCase{"*ab*ab", "xabyabab", true}, MatchCase{"*a*", "bbb", false},
        MatchCase{"**.md", "x.md", true}, MatchCase{"*?", "", false},
        // "*.*" takes every name, also those without a dot.
        MatchCase{"*.*", "README", true}, MatchCase{"*.*", "archive.tar.gz", true},
        MatchCase{"*.*", ".hidden", true}, MatchCase{"a*.*", "abc", false},
        // Trailing dots and names without dots.
        MatchCase{"*.", "name.", true}, MatchCase{"*.", "name", false},
        MatchCase{"name.*", "name.", true}, MatchCase{"name.*", "name", false},
        MatchCase{"*", "name.", true},
        // Blanks are part of the pattern; other characters are literal.
        MatchCase{" *.exe", " setup.exe", true}, MatchCase{" *.exe", "setup.exe", false},
        MatchCase{"[ab].txt", "[ab].txt", true}, MatchCase{"[ab].txt", "a.txt", false},
        MatchCase{"", "", true}, MatchCase{"", "a", false}));

struct ParseCase {
    std::string text;
    std::vector<std::string> patterns;
};

class PatternListTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PatternListTest, CutsAtSemicolons) {
    const ParseCase& c = GetParam();
    const PatternList list = PatternList::Parse(c.text);
    std::vector<std::string> texts;
    for (const WildcardPattern& pattern : list) {
        texts.push_back(pattern.Text());
    }
    EXPECT_EQ(texts, c.patterns);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PatternListTest,
    ::testing::Values(ParseCase{"abc.txt;*.htm;*.jpg;", {"abc.txt", "*.htm", "*.jpg"}},
                      ParseCase{"*.txt; *.exe", {"*.txt", " *.exe"}},
                      ParseCase{"  *.txt  ", {"*.txt"}},
                      ParseCase{"*.txt;;*.md", {"*.txt", "", "*.md"}}, ParseCase{";", {""}},
                      ParseCase{"", {}}, ParseCase{"a b.txt", {"a b.txt"}}));

TEST(PatternListTest, BlankTextHasNothingButSemicolonsAndBlanks) {
    for (const std::string blank : {"", " ", ";", " ; ;\t", ";;;"}) {
        EXPECT_TRUE(PatternList::IsBlank(blank)) << "\"" << blank << "\"";
    }
    for (const std::string text : {"*", " ;a; ", "?"}) {
        EXPECT_FALSE(PatternList::IsBlank(text)) << "\"" << text << "\"";
    }
}

}  // namespace
}  // namespace quexa::files
