#include "web/http_session.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

namespace quexa::web {
namespace {

// Requests that fail before any connection is tried.
TEST(HttpSessionTest, RefusesWhatItCannotRequest) {
    struct Case {
        const char* url;
        int error;
    };
    const Case cases[] = {
        {"", -1},
        {"ftp://files.example/a", CURLE_UNSUPPORTED_PROTOCOL},
        {"file:///etc/passwd", CURLE_UNSUPPORTED_PROTOCOL},
        {"http://", CURLE_URL_MALFORMAT},
    };
    HttpSession session(HttpSettings{});
    for (const auto& c : cases) {
        EXPECT_FALSE(session.FetchPage(c.url).has_value()) << c.url;
        EXPECT_EQ(session.LastError(), c.error) << c.url;
        EXPECT_FALSE(session.LastErrorText().empty()) << c.url;
        EXPECT_FALSE(session.QueryRawHeaders(c.url).has_value()) << c.url;
        EXPECT_EQ(session.LastError(), c.error) << c.url;
        EXPECT_EQ(session.StatusCode(), 0) << c.url;
    }
}

}  // namespace
}  // namespace quexa::web
