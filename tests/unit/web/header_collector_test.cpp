#include "web/header_collector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quexa::web {
namespace {

using namespace std::string_literals;

struct Outcome {
    bool complete;
    std::string raw;
    std::size_t endedAtLine;  // index of the line that completed the block, or lines.size()
};

Outcome Collect(const std::vector<std::string>& lines) {
    HeaderCollector headers;
    std::size_t ended = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (headers.Add(lines[i]) && ended == lines.size()) {
            ended = i;
        }
    }
    return {headers.Complete(), std::string(headers.Raw()), ended};
}

TEST(HeaderCollectorTest, KeepsTheFinalResponse) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        Outcome expected;
    };
    const Case cases[] = {
        {"plain",
         {"HTTP/1.1 200 OK\r\n", "Server: t\r\n", "\r\n", "body-ish\r\n"},
         {true, "HTTP/1.1 200 OK\0Server: t\0\0"s, 2}},
        {"followed redirect",
         {"HTTP/1.1 302 Found\r\n", "Location: /b\r\n", "\r\n", "HTTP/1.1 404 Nope\r\n", "\r\n"},
         {true, "HTTP/1.1 404 Nope\0\0"s, 4}},
        {"redirect without a target is final",
         {"HTTP/1.1 301 Moved\r\n", "location:   \r\n", "\r\n"},
         {true, "HTTP/1.1 301 Moved\0location:   \0\0"s, 2}},
        {"interim answer",
         {"HTTP/1.1 100 Continue\r\n", "\r\n", "HTTP/1.1 200 OK\r\n", "\r\n"},
         {true, "HTTP/1.1 200 OK\0\0"s, 3}},
        {"trailers after the block are ignored",
         {"HTTP/1.1 200 OK\r\n", "\r\n", "X-Trailer: 1\r\n", "\r\n"},
         {true, "HTTP/1.1 200 OK\0\0"s, 1}},
        {"redirect loop never completes",
         {"HTTP/1.1 302 F\r\n", "LOCATION: /a\r\n", "\r\n", "HTTP/1.1 302 F\r\n",
          "Location: /a\r\n", "\r\n"},
         {false, "HTTP/1.1 302 F\0Location: /a\0"s, 6}},
        {"cut before the end",
         {"HTTP/1.1 200 OK\r\n", "Server: t\r\n"},
         {false, "HTTP/1.1 200 OK\0Server: t\0"s, 2}},
        {"lines before any status line",
         {"Junk: 1\r\n", "\r\n", "HTTP/2 200\n", "\n"},
         {true, "HTTP/2 200\0\0"s, 3}},
    };
    for (const auto& c : cases) {
        const Outcome got = Collect(c.lines);
        EXPECT_EQ(got.complete, c.expected.complete) << c.name;
        EXPECT_EQ(got.raw, c.expected.raw) << c.name;
        EXPECT_EQ(got.endedAtLine, c.expected.endedAtLine) << c.name;
    }
}

// When the transfer ends without following, only a redirect whose block ended is the answer.
TEST(HeaderCollectorTest, AnUnfollowedRedirectIsAcceptedOnlyWhenItsBlockEnded) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        bool accepted;
        std::string raw;
    };
    const Case cases[] = {
        {"ended redirect",
         {"HTTP/1.1 302 Found\r\n", "Location: ftp://x/\r\n", "\r\n"},
         true,
         "HTTP/1.1 302 Found\0Location: ftp://x/\0\0"s},
        {"redirect cut before its end",
         {"HTTP/1.1 302 Found\r\n", "Location: ftp://x/\r\n"},
         false,
         "HTTP/1.1 302 Found\0Location: ftp://x/\0"s},
        {"next answer begun",
         {"HTTP/1.1 302 Found\r\n", "Location: /b\r\n", "\r\n", "HTTP/1.1 200 OK\r\n"},
         false,
         "HTTP/1.1 200 OK\0"s},
        {"interim answer only",
         {"HTTP/1.1 100 Continue\r\n", "\r\n"},
         false,
         "HTTP/1.1 100 Continue\0"s},
        {"already complete", {"HTTP/1.1 404 Nope\r\n", "\r\n"}, true, "HTTP/1.1 404 Nope\0\0"s},
    };
    for (const auto& c : cases) {
        HeaderCollector headers;
        for (const std::string& line : c.lines) {
            headers.Add(line);
        }
        EXPECT_EQ(headers.AcceptUnfollowedRedirect(), c.accepted) << c.name;
        EXPECT_EQ(headers.Complete(), c.accepted) << c.name;
        EXPECT_EQ(std::string(headers.Raw()), c.raw) << c.name;
    }
}

}  // namespace
}  // namespace quexa::web
