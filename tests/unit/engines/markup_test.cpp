#include "engines/markup.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::engines {
namespace {

struct Case {
    std::string input;
    std::string expected;
};

TEST(MarkupTest, StripTags) {
    const Case cases[] = {
        {"a   b", "a b"},                         // three spaces leave one
        {"a    b", "ab"},                         // four leave none
        {"one <b>two</b> three", "onetwothree"},  // spaces beside tags run together
        {"x<br>y", "x y"},
        {"a<b<c>d", "a d"},              // the first ">" after the first "<"
        {"keep < this", "keep < this"},  // unterminated "<" ends removal
        {"<a>x<b", " x<b"},
        {"line\r\nbreak", "linebreak"},
        {"<>", " "},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        StripTags(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
}

TEST(MarkupTest, DecodeEntities) {
    const Case cases[] = {
        {"&#65;", "A"},
        {"a&#128;b&#160;c", "abc"},  // 127-160 vanish
        {"&#x41;", ""},              // x is not a digit: dropped whole
        {"&#9;&#10;&#31;", "\t\n"},
        {"&#0;&#;", ""},
        {"&#255;", "\xC3\xBF"},  // Latin-1 code points become UTF-8
        {"&#256;&#99999999999999999999;", ""},
        {"&#161;", "\xC2\xA1"},
        {"&Euml;&euml;", "\xC3\x8B\xC3\xAB"},
        {"&EUML;", "&EUML;"},  // case matters
        {"&lt;&gt;&amp;&quot;", "<>&\""},
        {"&eth;&ETH;&yuml;", "\xC3\xB0\xC3\x90\xC3\xBF"},
        {"&amp;lt;", "&lt;"},  // one level per pass
        {"&nbsp;", "&nbsp;"},  // not in the table
        {"a & b", "a & b"},    // no ";" anywhere after
        {"&a;", "&a;"},        // names of one character are not decoded
        {"&;", "&;"},
        {"&toolong;", "&toolong;"},
        {"&x&lt;", "&x<"},  // the first ";" decides the name, then go on
        {"&#12&#65;", ""},  // a non-digit drops up to the first ";"
        {"tail&", "tail&"},
        {"&amp", "&amp"},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        DecodeEntities(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
}

TEST(MarkupTest, ReplaceSymbolEntities) {
    const Case cases[] = {
        {"&gt;&nbsp;&quot;&lt;&amp;", "> \"<&"},
        {"&copy;&reg;", " (c)  (R) "},
        {"&pound;&cent;&yen;&sect;", "\xC2\xA3\xC2\xA2\xC2\xA5\xC2\xA7"},
        {"&iexcl;&AElig;&#149;", "i AE ->"},
        {"&amp;gt;", "&gt;"},     // "&gt;" was replaced before "&amp;" made it
        {"&amp;copy;", " (c) "},  // "&copy;" comes after "&amp;"
        {"&amp;amp;", "&amp;"},
        {"&AEl&iexcl;g;", " AE "},  // "&iexcl;" spells "&AElig;" for a later step
        {"&amp;AEl&iexcl;g;", " AE "},
        {"&AEl&iexcl;x;", "&AElix;"},
        {"& nbsp;", "& nbsp;"},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        ReplaceSymbolEntities(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
}

}  // namespace
}  // namespace quexa::engines
