#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "web/http_settings.h"

namespace quexa::web {

// One worker's connection to the web: GET a page, or only the headers of a location. Never
// shared between threads. Every request bypasses caches, sends no cookies, follows redirects
// (the final response counts) and ends soon after the stop flag reads 0.
class HttpSession {
  public:
    static constexpr const char* kUserAgent = "Quexa Version 1.0";
    // kUserAgent, followed by the contact in parentheses when it has any printable text. Control
    // bytes are dropped, so a contact can't add header lines.
    static std::string UserAgent(std::string_view contact);
    // Names an extra file of CA certificates trusted besides the system's.
    static constexpr const char* kCaBundleVariable = "QUEXA_CA_BUNDLE";

    // How the body of the last FetchPage ended.
    enum class PageEnd {
        Complete,
        Capped,   // the size cap was reached: the rest was not read
        Stalled,  // nothing came for the time-out
        Stopped,  // the stop flag
        Broken,   // the connection failed on the way
    };

    explicit HttpSession(HttpSettings settings);
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    void SetStopFlag(const std::atomic<int>* stopFlag);

    // The body as text (see PageBuffer), valid until the next fetch; none when the request
    // failed before an answer came. A transfer cut short by a stop, a stall or the size cap
    // gives the text read so far. A page whose header or meta tag declares another charset
    // comes back in UTF-8.
    std::optional<std::string_view> FetchPage(std::string_view url);
    // The raw headers of the final response (NUL-separated lines ending with an empty line),
    // valid until the next query; the body is never read.
    std::optional<std::string_view> QueryRawHeaders(std::string_view url);
    PageEnd LastPageEnd() const;
    // The status code in the headers of the last query; 0 when there are none.
    int StatusCode() const;

    // The libcurl code of the last failure, or -1 after a request without a URL.
    int LastError() const;
    std::string LastErrorText() const;

  private:
    class Transfer;
    std::unique_ptr<Transfer> transfer_;
};

}  // namespace quexa::web
