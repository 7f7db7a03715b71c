#include "silent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <stdexcept>
#include <utility>

namespace quexa::test {

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int BoundPort(int socket) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

int ListenOnFreePort() {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    if (listener < 0 ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 16) != 0) {
        throw std::runtime_error("can't listen on loopback");
    }
    return listener;
}

}  // namespace

SilentServer::SilentServer(std::string firstBytes)
    : firstBytes_(std::move(firstBytes)),
      listener_(ListenOnFreePort()),
      port_(BoundPort(listener_)) {
    thread_ = std::thread([this] { Serve(); });
}

SilentServer::~SilentServer() {
    stopping_ = true;
    thread_.join();
    for (const int client : clients_) {
        close(client);
    }
    close(listener_);
}

std::string SilentServer::Url(const std::string& target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + target;
}

std::string SilentServer::Received() const {
    const std::lock_guard lock(mutex_);
    return received_;
}

void SilentServer::Serve() {
    while (!stopping_) {
        std::vector<pollfd> watched{{listener_, POLLIN, 0}};
        for (const int client : clients_) {
            watched.push_back({client, POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), 20) <= 0) {
            continue;
        }
        if ((watched[0].revents & POLLIN) != 0) {
            const int client = accept(listener_, nullptr, nullptr);
            if (client >= 0) {
                if (!firstBytes_.empty() &&
                    send(client, firstBytes_.data(), firstBytes_.size(), MSG_NOSIGNAL) < 0) {
                    close(client);
                    continue;
                }
                clients_.push_back(client);
            }
        }
        for (std::size_t i = 1; i < watched.size(); ++i) {
            if ((watched[i].revents & (POLLIN | POLLHUP)) != 0) {
                ReadFrom(watched[i].fd);
            }
        }
    }
}

// A client that has hung up is let go.
void SilentServer::ReadFrom(int client) {
    std::array<char, 4096> buffer{};
    const ssize_t count = read(client, buffer.data(), buffer.size());
    if (count > 0) {
        const std::lock_guard lock(mutex_);
        received_.append(buffer.data(), static_cast<std::size_t>(count));
        return;
    }
    std::erase(clients_, client);
    close(client);
}

int FreeLoopbackPort() {
    const int listener = ListenOnFreePort();
    const int port = BoundPort(listener);
    close(listener);
    return port;
}

}  // namespace quexa::test
