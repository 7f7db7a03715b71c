#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quexa::test {

// An HTTP or HTTPS server on a free loopback port that remembers every request it was sent.
class LoopbackServer {
  public:
    struct Seen {
        std::string method;
        std::string target;
        httplib::Headers headers;
    };

    explicit LoopbackServer(const std::string& host = "127.0.0.1");
    // HTTPS on 127.0.0.1 with this certificate and key.
    LoopbackServer(X509* cert, EVP_PKEY* key);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Add the routes first, then Start.
    httplib::Server& routes() { return *server_; }
    void Start();
    std::string Url(std::string_view target) const;
    int port() const { return port_; }

    std::vector<Seen> SeenRequests() const;
    std::size_t CountSeen(std::string_view path) const;

    // For endless answers: waits up to the given time; false once the server is stopping.
    bool Pause(std::chrono::milliseconds duration) const;

  private:
    void Record(const httplib::Request& request);

    std::unique_ptr<httplib::Server> server_;
    std::string host_;
    std::string scheme_;
    int port_ = -1;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<Seen> seen_;
};

}  // namespace quexa::test
