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
        {"a   b", "a b"},  // a run of blanks is one space
        {"a    b", "a b"},
        {"a \t  b\t\tc", "a b c"},  // tabs too
        {"tab\there", "tab here"},
        {"one <b>two</b> three", "one two three"},  // spaces beside tags stay single
        {"website <span class=\"searchmatch\">Jimmy</span> <span "
         "class=\"searchmatch\">Buffett</span> at AllMusic",
         "website Jimmy Buffett at AllMusic"},
        {"un<b>believ</b>able", "unbelievable"},  // a styling tag splits no word
        {"<SPAN>x</Span>y<A HREF=\"/\">z</A>", "xyz"},
        {"x<br>y", "x y"},  // any other tag parts its neighbours
        {"cell</td><td>cell", "cell cell"},
        {"a <p> </p> b", "a b"},
        {"<bold>x</bold>", " x "},       // a name that only begins like a styling one
        {"a<b<c>d", "ad"},               // the first ">" after the first "<"; its name is "b"
        {"keep < this", "keep < this"},  // unterminated "<" ends removal
        {"<a>x<b", "x<b"},
        {"line\r\nbreak", "line break"},  // a line break parts two words
        {"two\nlines  \n  of title", "two lines of title"},
        {"<>", " "},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        StripTags(text);
        EXPECT_EQ(text, c.expected) << c.input;
    }
}

TEST(MarkupTest, DecodeJsonEscapes) {
    const Case cases[] = {
        {R"(say \"hi\")", "say \"hi\""},
        {R"(back\\slash and \/ slash)", "back\\slash and / slash"},
        {R"(1990\u20132000)",
         "1990\xE2\x80\x93"
         "2000"},
        {R"(\u00e9t\u00E9)", "\xC3\xA9t\xC3\xA9"},
        {R"(\u003cb\u003e)", "<b>"},
        {R"(\ud83d\ude00)", "\xF0\x9F\x98\x80"},  // a surrogate pair is one character
        {R"(a\ud83db)", "ab"},                    // a lone half vanishes
        {R"(a\ude00b\u0000c\bd)", "abcd"},
        {R"(line\nbreak\ttab)", "line\nbreak\ttab"},
        {R"(\x41 \u12 \)", R"(\x41 \u12 \)"},  // no escape: left as it is
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        DecodeJsonEscapes(text);
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
