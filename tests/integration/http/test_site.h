#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "loopback_server.h"

namespace quexa::test {

// The pages every test server offers:
//   /page          a small HTML page (compressed by the server when the client allows it)
//   /exact         a body of exactly 8,191 bytes
//   /nul           a NUL byte in the first 8,191-byte chunk, then a second chunk
//   /gzip          a gzip-encoded body
//   /code/N        status N with a short body and no Location
//   /redirect      302 to /page;  /loop: 302 to itself
//   /drip          one byte now, then one a second, for ever
//   /big           100 MiB
//   /cookie        sets a cookie;  /echo: "ok"
class TestSite {
  public:
    static constexpr std::size_t kBigSize = 100u * 1024 * 1024;

    explicit TestSite(LoopbackServer& server);

    static std::string PageText();
    static std::string ExactBody();
    static std::string NulBody();
    // The text a reader of /nul keeps: the first chunk up to its NUL, and the whole second one.
    static std::string NulPageText();
    static std::string GzipText();

    std::size_t BigBytesSent() const { return bigBytesSent_; }

  private:
    void AddFixedPages();
    void AddStatusPages();
    void AddEndlessPages();

    LoopbackServer& server_;
    std::atomic<std::size_t> bigBytesSent_{0};
};

}  // namespace quexa::test
