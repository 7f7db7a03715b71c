#include "tiny_proxy.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "silent_server.h"

namespace quexa::test {

namespace {

constexpr int kAttempts = 3;

bool Accepts(int port) {
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected =
        connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(client);
    return connected;
}

// No User or Group lines: the proxy runs as whoever runs the test (it only warns under root).
void WriteConfig(const std::string& path, int port, const std::string& logFile) {
    std::ofstream config(path);
    config << "Port " << port << "\n"
           << "Listen 127.0.0.1\n"
           << "Timeout 30\n"
           << "MaxClients 20\n"
           << "LogLevel Info\n"
           << "LogFile \"" << logFile << "\"\n";
}

}  // namespace

TinyProxy::TinyProxy() {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (StartOn(FreeLoopbackPort())) {
            return;
        }
    }
    throw std::runtime_error("tinyproxy did not start: " + Log());
}

TinyProxy::~TinyProxy() = default;

bool TinyProxy::StartOn(int port) {
    port_ = port;
    const std::string config = folder_.File("tinyproxy.conf").string();
    WriteConfig(config, port, folder_.File("tinyproxy.log").string());
    process_ = std::make_unique<ChildProcess>(
        "tinyproxy", std::vector<std::string>{"-d", "-c", config}, std::vector<std::string>{},
        folder_.File("tinyproxy.out").string(), folder_.File("tinyproxy.err").string());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!process_->Running()) {
            return false;
        }
        if (Accepts(port)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    process_->Terminate();
    return false;
}

std::string TinyProxy::Log() const {
    return ReadWholeFile(folder_.File("tinyproxy.log").string()) +
           ReadWholeFile(folder_.File("tinyproxy.err").string());
}

}  // namespace quexa::test
