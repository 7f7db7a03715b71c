#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quexa::test {

// Accepts connections on a free loopback port, reads what it is sent and never answers, or
// answers only the first bytes given and then falls silent.
class SilentServer {
  public:
    explicit SilentServer(std::string firstBytes = {});
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string Url(const std::string& target) const;
    // Everything the clients sent, in order of arrival.
    std::string Received() const;

  private:
    void Serve();
    void ReadFrom(int client);

    std::string firstBytes_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::vector<int> clients_;
    mutable std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

// A port on 127.0.0.1 that was free a moment ago.
int FreeLoopbackPort();

}  // namespace quexa::test
