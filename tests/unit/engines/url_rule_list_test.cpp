#include "engines/url_rule_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engines/template_list.h"

namespace quexa::engines {
namespace {

TEST(UrlRuleListTest, ApplyUrlRules) {
    struct Case {
        std::string name, rules, location, expected;
    };
    const std::vector<Case> cases = {
        {"extraction keeps the text between", "<URL>/url?q=*URL*&sa=</URL>",
         "/url?q=www.a.org/x&sa=U", "http://www.a.org/x"},
        {"extraction keeps an absolute result", "<URL>q=*URL*&</URL>", "/r?q=https://a.org/&z",
         "https://a.org/"},
        {"suffix missing after the prefix keeps the rest", "<URL>q=*URL*&</URL>", "&/r?q=a.org/x",
         "http://a.org/x"},
        {"empty suffix keeps the rest", "<URL>q=*URL*</URL>", "/r?q=a.org&x=1", "http://a.org&x=1"},
        {"prefix missing: only http://", "<URL>q=*URL*&</URL><URLROOT>r/</URLROOT>", "a.org",
         "http://a.org"},
        {"root rule", "<URLROOT>http://e.org</URLROOT>", "/page", "http://e.org/page"},
        {"root rule without scheme gets http://", "<URLROOT>e.org</URLROOT>", "/p",
         "http://e.org/p"},
        {"each rule adds http:// on its own turn", "<URL>u=*URL*;</URL>*&*<URLROOT>r/</URLROOT>",
         "x?u=a;b", "r/http://a"},
        {"root then extraction", "<URLROOT>/g?u=</URLROOT>*&*<URL>u=*URL*</URL>", "a.org",
         "http://a.org"},
        {"no rules leave the location alone", "", "a.org/x", "a.org/x"},
        {"any rule adds http://", "nothing", "a.org/x", "http://a.org/x"},
        {"marker missing: only http://", "<URL>q=</URL>", "q=a.org", "http://q=a.org"},
        {"already absolute", "plain", "ftp://a.org", "ftp://a.org"},
        {"rules after a separator at 0 are one rule", "*&*<URLROOT>r/</URLROOT>", "x",
         "http://*&*r/x"},
    };
    for (const auto& c : cases) {
        std::string location = c.location;
        UrlRuleList(c.rules).ApplyUrlRules(location);
        EXPECT_EQ(location, c.expected) << c.name;
    }
}

TEST(TemplateListTest, SplitTemplateList) {
    struct Case {
        std::string text;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a*&*b", {"a", "b"}},        {"a*&*", {"a"}},        {"*&*a*&*b", {"*&*a*&*b"}},
        {"a*&**&*b", {"a", "", "b"}}, {"a*&**&*", {"a", ""}}, {"", {""}},
        {"plain", {"plain"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitTemplateList(c.text), c.expected) << c.text;
    }
    EXPECT_TRUE(UrlRuleList("").rules().empty());
    EXPECT_EQ(UrlRuleList("a*&*").rules(), std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace quexa::engines
