#include "web/canonical_url.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::web {
namespace {

TEST(CanonicalUrlTest, EncodesOnlyBytesThatMayNotStandInAUrl) {
    struct Case {
        std::string url, expected;
    };
    const Case cases[] = {
        {"http://e.example/s?q=news game stock", "http://e.example/s?q=news%20game%20stock"},
        {"http://e.example/a%20b?x=1&y=%zz#top", "http://e.example/a%20b?x=1&y=%zz#top"},
        {"http://e.example/\"<>\\^`{|}", "http://e.example/%22%3C%3E%5C%5E%60%7B%7C%7D"},
        {"http://e.example/\t\r\n\x7F", "http://e.example/%09%0D%0A%7F"},
        {std::string("a\0b", 3), "a%00b"},
        {"http://e.example/caf\xC3\xA9", "http://e.example/caf%C3%A9"},
        {"http://e.example/~a-b_c.d!$'()*+,;=:@[]", "http://e.example/~a-b_c.d!$'()*+,;=:@[]"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CanonicalUrl(c.url), c.expected) << c.url;
    }
}

TEST(CanonicalUrlTest, EncodingTwiceEncodesThePercentSignsNot) {
    const std::string once = CanonicalUrl("http://e.example/a b");
    EXPECT_EQ(CanonicalUrl(once), once);
}

}  // namespace
}  // namespace quexa::web
