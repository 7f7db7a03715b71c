// The fast road from page to items against the step-by-step reading of the rules, on generated
// engines and pages that mix real-looking markup with the degenerate cases.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engines/engine_definition.h"
#include "engines/page_extractor.h"
#include "literal_reading.h"

namespace quexa::engines {
namespace {

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string Pick(const std::vector<std::string>& pieces) {
        return pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random_)];
    }
    bool Chance(int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random_) < percent;
    }
    int Count(int most) { return std::uniform_int_distribution<int>(0, most)(random_); }

    // Text made of the pieces that matter to tags, references, trimming and cutting.
    std::string Value(int most) {
        static const std::vector<std::string> pieces = {
            "a",         "Word",       " ",
            "  ",        "\t",         "\r\n",
            "<b>",       "</b>",       "<",
            ">",         "&",          ";",
            "&amp;",     "&lt;",       "&amp;lt;",
            "&nbsp;",    "&#65;",      "&#160;",
            "&#x41",     "&#",         "&copy",
            "&copy;",    "&pound;",    "&Euml;",
            "&eth;",     "\"",         "http://",
            "://",       "/url?q=",    "&sa=",
            "*&*",       "\xC3\xA9",   "\xE2\x82\xAC",
            "&AEl",      "&iexcl;",    "g;",
            "&#149;",    "x.org",      "<span class=\"m\">",
            "</span>",   "<BR/>",      "\n",
            "\\\"",      "\\u2013",    "\\ud83d\\ude00",
            "\\",        "\\n",        "\f",
            "&lt;i&gt;", "&lt;/i&gt;", "&lt;br/&gt;",
        };
        std::string text;
        for (int n = Count(most); n > 0; --n) {
            text += Pick(pieces);
        }
        return text;
    }

    std::string Delimiter() {
        static const std::vector<std::string> pieces = {
            "",      "<li>", "</li>", "<a href=\"", "\">", "</a>", "<p>",    "</p>", "|",
            "*TAB*", "<",    ">",     "a",          "\"",  " ",    "*TITLE", "URL*",
        };
        std::string text;
        for (int n = Count(2); n > 0; --n) {
            text += Pick(pieces);
        }
        return text;
    }

    std::string ItemTemplate() {
        std::vector<std::string> order = {"*TITLE*", "*URL*", "*PREVIEW*"};
        std::shuffle(order.begin(), order.end(), random_);
        if (Chance(5)) {
            order.pop_back();
        }
        std::string text = Delimiter();
        for (const std::string& placeholder : order) {
            text += placeholder + Delimiter();
            if (Chance(10)) {
                text += "*SKIP*" + Delimiter();
            }
        }
        for (const char* marker : {"</JSON/>", "</XML/>"}) {
            if (Chance(15)) {
                text.insert(Chance(50) ? 0 : text.size(), marker);
            }
        }
        return text;
    }

    std::string NextPageTemplate() {
        std::string text = Delimiter() + (Chance(90) ? "*URL*" : "") + Delimiter();
        if (Chance(40)) {
            text.insert(Chance(50) ? 0 : text.size(), "</ENDFIRST/>");
        }
        return text;
    }

    std::string UrlRule() {
        switch (Count(4)) {
            case 0:
                return "<URL>" + Pick({"", "q=", "/url?q=", "x"}) + "*URL*" +
                       Pick({"", "&", "&sa=", "/"}) + "</URL>";
            case 1:
                return "<URLROOT>" + Pick({"", "http://r.org/", "r/", "://"}) + "</URLROOT>";
            case 2:
                return "<URL>" + Pick({"", "q="}) + "</URL>";
            case 3:
                return Pick({"", "plain", "<URL>a*URL*</URL><URLROOT>b</URLROOT>"});
            default:
                return "*&*";
        }
    }

    std::string List(int most, std::string (Generator::*entry)()) {
        std::string text;
        for (int n = Count(most); n >= 0; --n) {
            text += (this->*entry)();
            if (n > 0 || Chance(10)) {
                text += "*&*";
            }
        }
        return Chance(5) ? "*&*" + text : text;
    }

    // A page holding instances of the templates with generated values, amid noise.
    std::string Page(const std::string& items, const std::string& nextPages) {
        std::vector<std::string> shapes;
        for (const std::string& entry : literal::SplitTemplateList(items + "*&*" + nextPages)) {
            shapes.push_back(entry);
        }
        std::string page;
        for (int n = Count(12); n > 0; --n) {
            std::string shape = Pick(shapes);
            for (const std::string marker : {"*TITLE*", "*URL*", "*PREVIEW*"}) {
                for (std::size_t at = shape.find(marker); at != std::string::npos;
                     at = shape.find(marker, at + 1)) {
                    const std::string value = Value(Chance(3) ? 120 : 6);
                    shape.replace(at, marker.size(), value);
                    at += value.size();
                }
            }
            for (std::size_t at = shape.find("*TAB*"); at != std::string::npos;
                 at = shape.find("*TAB*")) {
                shape.replace(at, 5, Chance(80) ? "\t" : "\r\n\t");
            }
            for (std::size_t at = shape.find("</ENDFIRST/>"); at != std::string::npos;
                 at = shape.find("</ENDFIRST/>")) {
                shape.erase(at, 12);
            }
            page += shape + (Chance(50) ? Value(3) : "");
        }
        return page;
    }

  private:
    std::mt19937 random_;
};

TEST(LiteralExtractionTest, FastRoadMatchesTheStepByStepRules) {
    Generator generate(20261208);
    int itemsSeen = 0;
    int nextPagesSeen = 0;
    for (int round = 0; round < 4000; ++round) {
        literal::Engine engine;
        engine.itemTemplates = generate.List(2, &Generator::ItemTemplate);
        engine.nextPageTemplates =
            generate.Chance(15) ? "" : generate.List(2, &Generator::NextPageTemplate);
        engine.urlRules = generate.Chance(30) ? "" : generate.List(2, &Generator::UrlRule);
        engine.nextPageRoot = generate.Pick({"", "", "http://e.org/s", "&amp;"});
        const std::string page = generate.Page(engine.itemTemplates, engine.nextPageTemplates);

        EngineDefinition definition;
        definition.urlRules = engine.urlRules;
        definition.itemTemplates = engine.itemTemplates;
        definition.nextPageTemplates = engine.nextPageTemplates;
        definition.nextPageRoot = engine.nextPageRoot;
        PageExtractor extractor(definition);
        const std::vector<ExtractedItem> items = extractor.ExtractItems(page);
        const std::string nextPage = extractor.NextPageUrl();
        const literal::PageResult expected = literal::ExtractPage(engine, page);

        std::vector<literal::Item> got;
        for (const ExtractedItem& item : items) {
            got.push_back({item.title, item.location, item.preview});
        }
        const std::string context = "items [" + engine.itemTemplates + "] next [" +
                                    engine.nextPageTemplates + "] rules [" + engine.urlRules +
                                    "] root [" + engine.nextPageRoot + "] page [" + page + "]";
        ASSERT_EQ(got.size(), expected.items.size()) << context;
        for (std::size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].title, expected.items[i].title) << i << " " << context;
            ASSERT_EQ(got[i].location, expected.items[i].location) << i << " " << context;
            ASSERT_EQ(got[i].preview, expected.items[i].preview) << i << " " << context;
        }
        ASSERT_EQ(nextPage, expected.nextPage) << context;
        itemsSeen += static_cast<int>(got.size());
        nextPagesSeen += nextPage.empty() ? 0 : 1;
    }
    // The generator must reach the interesting paths, or the comparison proves little.
    EXPECT_GT(itemsSeen, 2500);
    EXPECT_GT(nextPagesSeen, 1000);
}

// The hostile shapes of the benchmark, small enough for the quadratic reading.
TEST(LiteralExtractionTest, HostilePagesMatchTheStepByStepRules) {
    std::string storm;
    while (storm.size() < 24000) {
        storm += "<b>x</b>&amp;&#65;&lt;  <i>&nbsp;</i>&#149;&";
    }
    std::string angles;
    std::mt19937 random(3);
    for (int i = 0; i < 30000; ++i) {
        angles += (random() & 1) != 0 ? '<' : '&';
    }
    literal::Engine engine;
    engine.itemTemplates =
        "<h3><a href=\"*URL*\">*TITLE*</a></h3><span>*PREVIEW*</span>*&*&*URL*<*TITLE*&*PREVIEW*<";
    engine.nextPageTemplates = "<*URL*&*&*</ENDFIRST/><*URL*&";
    engine.urlRules = "<URL><*URL*&</URL>";
    const std::vector<std::string> pages = {
        "<h3><a href=\"http://x.example/\">" + storm + "</a></h3><span>" + storm + "</span>",
        angles,
        angles + ";" + angles,
    };
    for (const std::string& page : pages) {
        EngineDefinition definition;
        definition.urlRules = engine.urlRules;
        definition.itemTemplates = engine.itemTemplates;
        definition.nextPageTemplates = engine.nextPageTemplates;
        PageExtractor extractor(definition);
        const std::vector<ExtractedItem> items = extractor.ExtractItems(page);
        const literal::PageResult expected = literal::ExtractPage(engine, page);
        ASSERT_EQ(items.size(), expected.items.size()) << page.substr(0, 80);
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].title, expected.items[i].title);
            EXPECT_EQ(items[i].location, expected.items[i].location);
            EXPECT_EQ(items[i].preview, expected.items[i].preview);
        }
        EXPECT_EQ(extractor.NextPageUrl(), expected.nextPage);
    }
}

TEST(LiteralExtractionTest, UrlRulesMatchTheStepByStepRules) {
    Generator generate(7);
    for (int round = 0; round < 20000; ++round) {
        const std::string field = generate.Chance(10) ? "" : generate.List(3, &Generator::UrlRule);
        std::string location = generate.Pick({"", "/url?q=", "q=", "x.org", "http://"}) +
                               generate.Value(3) + generate.Pick({"", "&sa=1", "/", "&"});
        const std::string expected = literal::ApplyUrlRules(field, location);
        UrlRuleList(field).ApplyUrlRules(location);
        ASSERT_EQ(location, expected) << "rules [" << field << "]";
    }
}

}  // namespace
}  // namespace quexa::engines
