#include "engines/page_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quexa::engines {
namespace {

struct Item {
    std::string title, location, preview;
    bool operator==(const Item&) const = default;
    friend void PrintTo(const Item& item, std::ostream* out) {
        *out << "{" << item.title << " | " << item.location << " | " << item.preview << "}";
    }
};

std::vector<Item> Extract(const std::string& page, const std::string& itemTemplate) {
    PageParser parser;
    parser.SetPage(page);
    parser.SetItemTemplate(itemTemplate);
    parser.PrepareItemTemplate();
    std::vector<Item> items;
    Item item;
    while (parser.ExtractNextItem(item.title, item.location, item.preview) && items.size() < 100) {
        items.push_back(item);
    }
    return items;
}

TEST(PageParserTest, CutsItemsInTemplateOrder) {
    struct Case {
        std::string name, page, itemTemplate;
        std::vector<Item> expected;
    };
    const std::vector<Case> cases = {
        {"title url preview",
         "<li><a href=\"u1\">T1</a><p>P1</p></li><li><a href=\"u2\">T2</a><p>P2</p></li>",
         "<li><a href=\"*URL*\">*TITLE*</a><p>*PREVIEW*</p></li>",
         {{"T1", "u1", "P1"}, {"T2", "u2", "P2"}}},
        {"preview title location order",
         "[p1|t1|l1][p2|t2|l2]",
         "[*PREVIEW*|*TITLE*|*URL*]",
         {{"t1", "l1", "p1"}, {"t2", "l2", "p2"}}},
        {"line breaks in the page vanish but still part words",
         "<i>\r\nA\nB</i><u>x</u><s>y</s>",
         "<i>*TITLE*</i><u>*URL*</u><s>*PREVIEW*</s>",
         {{"A B", "x", "y"}}},
        {"a wrapped, indented title and a wrapped location",
         "<t>Light\n      station</t><u>http://a.org/lo\r\nng</u><p>x\r\n\r\ny</p>",
         "<t>*TITLE*</t><u>*URL*</u><p>*PREVIEW*</p>",
         {{"Light station", "http://a.org/long", "x y"}}},
        {"tab marker", "a\tT|L|P;", "a*TAB**TITLE*|*URL*|*PREVIEW*;", {{"T", "L", "P"}}},
        {"template begins and ends with placeholders",
         "T|L|P",
         "*TITLE*|*URL*|*PREVIEW*",
         {{"T", "L", ""}}},  // an empty last delimiter is found where the preview starts
        {"location trimmed, texts stripped and decoded",
         "( &#65;x )[ <b>t</b>&amp;lt; ]{a   b}",
         "(*URL*)[*TITLE*]{*PREVIEW*}",
         {{"t&lt;", "Ax", "a b"}}},
        {"missing last delimiter ends the scan",
         "<t>a</t><u>b</u><p>c",
         "<t>*TITLE*</t><u>*URL*</u><p>*PREVIEW*</p>",
         {}},
        {"placeholder missing: nothing", "<t>a</t><u>b</u>", "<t>*TITLE*</t><u>*URL*</u>", {}},
        {"only placeholders: stops", "abc", "*TITLE**URL**PREVIEW*", {}},
        {"overlapping placeholders: nothing", "xyz", "*URL*TITLE*x*PREVIEW*", {}},
        {"overlapped placeholder is cut where it stands again",
         "u1TITLE*|t1|p1.",
         "*URL*TITLE*|*TITLE*|*PREVIEW*.",
         {{"t1", "u1", "p1"}}},
        {"skipped text between the pieces of a delimiter",
         "<e><id>u1</id><t>T1</t><d>1</d><s>P1</s></e><e><id>u2</id><t>T2</t><s>P2</s></e>",
         "<e>*SKIP*<id>*URL*</id>*SKIP*<t>*TITLE*</t>*SKIP*<s>*PREVIEW*</s>",
         {{"T1", "u1", "P1"}, {"T2", "u2", "P2"}}},
        {"a skipped piece that never comes ends the scan",
         "<t>a</t><u>b</u>",
         "<t>*TITLE*</t>*SKIP*<x>*URL*</u>*PREVIEW*",
         {}},
        {"JSON values are decoded before the tags go",
         R"({"t":"A \"q\" \u2013 b","u":"http:\/\/x.org","p":"<span>x<\/span>\\y"})",
         R"(</JSON/>{"t":"*TITLE*","u":"*URL*","p":"*PREVIEW*"})",
         {{"A \"q\" \xE2\x80\x93 b", "http://x.org", "x\\y"}}},
        {"XML values: escaped markup is removed, references decoded twice",
         "<r><t>Role of &lt;i&gt;Vibrio&lt;/i&gt; in "
         "&amp;amp;c</t><u>1</u><p>a&lt;br/&gt;b</p></r>",
         "</XML/><r><t>*TITLE*</t><u>*URL*</u><p>*PREVIEW*</p></r>",
         {{"Role of Vibrio in &c", "1", "a b"}}},
        {"without the marker JSON escapes stay",
         R"({"t":"A \"q\"","u":"u","p":"p"})",
         R"({"t":"*TITLE*","u":"*URL*","p":"*PREVIEW*"})",
         {{"A \\\"q\\\"", "u", "p"}}},
        {"placeholder twice: the second is literal",
         "T:L-*TITLE*-P.",
         "*TITLE*:*URL*-*TITLE*-*PREVIEW*.",
         {{"T", "L", "P"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Extract(c.page, c.itemTemplate), c.expected) << c.name;
    }
}

TEST(PageParserTest, FailedSearchLeavesScanPositionForNextTemplate) {
    PageParser parser;
    parser.SetPage("<a>1</a><b>2</b><c>3</c> <x>t|u|p</x>");
    parser.SetItemTemplate("<x>*TITLE*|*URL*|*PREVIEW*</x>");
    parser.PrepareItemTemplate();
    std::string title, location, preview;
    ASSERT_TRUE(parser.ExtractNextItem(title, location, preview));
    EXPECT_FALSE(parser.ExtractNextItem(title, location, preview));
    // A new template starts from the top of the page again.
    parser.SetItemTemplate("<a>*TITLE*</a><b>*URL*</b><c>*PREVIEW*</c>");
    parser.PrepareItemTemplate();
    ASSERT_TRUE(parser.ExtractNextItem(title, location, preview));
    EXPECT_EQ(title + location + preview, "123");
}

TEST(PageParserTest, NextPageUrl) {
    struct Case {
        std::string name, page, nextTemplate, root, expected;
    };
    const std::vector<Case> cases = {
        {"forward", "<a href=\"/p2\">Next</a>", "<a href=*URL*>Next", "", "/p2"},
        {"quotes and spaces trimmed", "<a href= \" /p2 \" >Next", "<a href=*URL*>Next", "", "/p2"},
        {"absolute link still gets the root", "<a href=\"http://x/2\">Next",
         "<a href=\"*URL*\">Next", "http://root", "http://roothttp://x/2"},
        {"references decoded after the root", "<a href=\"?q=1&amp;p=2\">Next",
         "<a href=\"*URL*\">Next", "http://e.org/s", "http://e.org/s?q=1&p=2"},
        {"backward takes the last start before the end",
         "<a href=\"1\">x</a><a href=\"2\">y</a><a href=\"3\">z</a> NEXT",
         "<a href=\"*URL*\">z</a> NEXT</ENDFIRST/>", "", "3"},
        {"backward: three starts before the end", "@1@2@3#", "</ENDFIRST/>@*URL*#", "", "3"},
        {"backward: start after the end does not count", "@1#@2", "@*URL*#</ENDFIRST/>", "", "1"},
        {"backward: no start before the end", "#@1", "@*URL*#</ENDFIRST/>", "", ""},
        {"backward: empty start ends", "abc#", "*URL*#</ENDFIRST/>", "", "c"},
        {"backward: end at the very start", "#abc", "*URL*#</ENDFIRST/>", "", ""},
        {"no marker", "<a>x</a>", "<a>x</a>", "r", ""},
        {"start missing", "abc", "<n>*URL*</n>", "r", ""},
        {"end missing", "<n>abc", "<n>*URL*</n>", "r", ""},
        {"empty link still gets the root", "<n></n>", "<n>*URL*</n>", "http://r/", "http://r/"},
        {"line breaks gone before the search", "<n>a\r\nb</n>", "<n>*URL*</n>", "", "ab"},
    };
    for (const auto& c : cases) {
        PageParser parser;
        parser.SetPage(c.page);
        parser.SetItemTemplate("");
        parser.PrepareItemTemplate();
        parser.SetNextPageRoot(c.root);
        parser.SetNextPageTemplate(c.nextTemplate);
        EXPECT_EQ(parser.ExtractNextPageUrl(), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace quexa::engines
