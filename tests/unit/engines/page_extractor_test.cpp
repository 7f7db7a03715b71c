#include "engines/page_extractor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quexa::engines {
namespace {

TEST(PageExtractorTest, FinishItem) {
    struct Case {
        std::string name, rules;
        ExtractedItem in;
        bool kept;
        ExtractedItem out;
    };
    const std::string longTitle(300, 't');
    const std::string longPreview = std::string(1022, 'p') + "\xC3\xA9";  // é straddles 1023
    const std::vector<Case> cases = {
        {"no title", "", {"", "a.org", "p"}, false, {}},
        {"no location", "", {"t", "", "p"}, false, {}},
        {"quotes go, then rules",
         "<URL>q=*URL*&</URL>",
         {"t", "\"\"/r?q=a.org&x\"", "p"},
         true,
         {"t", "http://a.org", "p"}},
        {"an emptied location is still kept", "", {"t", "\"\"", "p"}, true, {"t", "", "p"}},
        {"second pass on title and preview only",
         "",
         {"a&nbsp;&copy;", "x?a&amp;b", "&lt;b&gt;"},
         true,
         {"a  (c) ", "x?a&amp;b", "<b>"}},
        {"limits",
         "",
         {longTitle, std::string(300, 'l'), longPreview},
         true,
         {std::string(255, 't'), std::string(255, 'l'), std::string(1022, 'p')}},
    };
    for (const auto& c : cases) {
        ExtractedItem item = c.in;
        EXPECT_EQ(PageExtractor::FinishItem(item, UrlRuleList(c.rules)), c.kept) << c.name;
        if (c.kept) {
            EXPECT_EQ(item.title, c.out.title) << c.name;
            EXPECT_EQ(item.location, c.out.location) << c.name;
            EXPECT_EQ(item.preview, c.out.preview) << c.name;
        }
    }
}

TEST(PageExtractorTest, TemplatesInOrderAndFirstNextLinkWins) {
    EngineDefinition engine;
    engine.itemTemplates = "<a>*TITLE*|*URL*|*PREVIEW*</a>*&*<b>*PREVIEW*|*TITLE*|*URL*</b>";
    engine.nextPageTemplates = "<none>*URL*</none>*&*<n>*URL*</n>*&*<m>*URL*</m>";
    engine.nextPageRoot = "http://e.org/";
    engine.urlRules = "<URLROOT>http://r/</URLROOT>";
    const std::string page =
        "<b>p1|T1|u1</b>\r\n<a>T2|u2|p2</a><a>|u3|p3</a><b>p4|T4|u4</b><m>third</m><n>next\n</n>";
    PageExtractor extractor(engine);
    const std::vector<ExtractedItem> items = extractor.ExtractItems(page);
    ASSERT_EQ(items.size(), 3u);  // the item without a title is not counted
    EXPECT_EQ(items[0].title, "T2");
    EXPECT_EQ(items[0].location, "http://r/u2");
    EXPECT_EQ(items[1].title, "T1");
    EXPECT_EQ(items[2].preview, "p4");
    EXPECT_EQ(extractor.NextPageUrl(), "http://e.org/next");

    // A sink that says stop ends the page.
    std::size_t taken = 0;
    extractor.ExtractItems(page, [&taken](ExtractedItem&&) { return ++taken < 2; });
    EXPECT_EQ(taken, 2u);
}

}  // namespace
}  // namespace quexa::engines
