#include "web/http_session.h"

#include <gtest/gtest.h>

#include <curl/curl.h>

#include <string>
#include <utility>

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

// The contact follows the program's own agent; nothing in it can start another header line.
TEST(HttpSessionTest, UserAgentCarriesTheContact) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "Quexa Version 1.0"},
        {"  \t ", "Quexa Version 1.0"},
        {"ops@example.org", "Quexa Version 1.0 (ops@example.org)"},
        {" https://example.org/me ", "Quexa Version 1.0 (https://example.org/me)"},
        {"a@b.org\r\nX-Injected: 1", "Quexa Version 1.0 (a@b.orgX-Injected: 1)"},
        {"\x7F\x01", "Quexa Version 1.0"},
        {"J\xC3\xB6rg <j@x.org>", "Quexa Version 1.0 (J\xC3\xB6rg <j@x.org>)"},
    };
    for (const auto& [contact, agent] : cases) {
        EXPECT_EQ(HttpSession::UserAgent(contact), agent) << contact;
    }
}

}  // namespace
}  // namespace quexa::web
