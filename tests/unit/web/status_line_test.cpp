#include "web/status_line.h"

#include <gtest/gtest.h>

#include <string>

namespace quexa::web {
namespace {

using namespace std::string_literals;

TEST(StatusLineTest, CodeFromRawHeaders) {
    struct Case {
        std::string raw;
        int expected;
    };
    const Case cases[] = {
        {"HTTP/1.1 200 OK\0Server: x\0\0"s, 200},
        {"HTTP/1.1 302 Found\0Location: /a\0\0"s, 302},
        {"HTTP/1.0 404 Not Found\0\0"s, 404},
        {"HTTP/2 500\0\0"s, 500},
        {"hTtP/1.1 301 Moved\0\0"s, 301},
        // The first line with "http" counts, wherever it stands.
        {"X-First: 123\0Via: http proxy 502\0\0"s, 502},
        {"Date: today\0\0HTTP/1.1 200 OK\0\0"s, 0},  // the list ended before it
        {"Server: x\0Content-Length: 100\0\0"s, 0},
        {"HTTP/1.1 OK\0\0"s, 0},
        {"HTTP/1.1 20\0\0"s, 0},
        {"HTTP/1.1 2000\0\0"s, 200},
        {"HTTP200\0\0"s, 200},
        {"HTTP/1.1 20 200\0\0"s, 200},
        {"http\0\0"s, 0},
        {"HTTP/1.1 404"s, 404},  // no terminator at all
        {"\0HTTP/1.1 200\0\0"s, 0},
        {""s, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StatusCodeFromRawHeaders(c.raw), c.expected) << c.raw;
    }
}

}  // namespace
}  // namespace quexa::web
