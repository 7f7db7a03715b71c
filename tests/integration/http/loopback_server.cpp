#include "loopback_server.h"

#include <stdexcept>

namespace quexa::test {

LoopbackServer::LoopbackServer(const std::string& host)
    : server_(std::make_unique<httplib::Server>()), host_(host), scheme_("http") {}

LoopbackServer::LoopbackServer(X509* cert, EVP_PKEY* key)
    : server_(std::make_unique<httplib::SSLServer>(cert, key)),
      host_("127.0.0.1"),
      scheme_("https") {}

LoopbackServer::~LoopbackServer() {
    stopping_ = true;
    server_->stop();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void LoopbackServer::Start() {
    server_->set_keep_alive_max_count(1);
    server_->set_read_timeout(2, 0);
    server_->set_write_timeout(2, 0);
    server_->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        Record(request);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    port_ = server_->bind_to_any_port(host_);
    if (port_ <= 0) {
        throw std::runtime_error("can't listen on " + host_);
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
}

std::string LoopbackServer::Url(std::string_view target) const {
    return scheme_ + "://" + host_ + ":" + std::to_string(port_) + std::string(target);
}

std::vector<LoopbackServer::Seen> LoopbackServer::SeenRequests() const {
    const std::lock_guard lock(mutex_);
    return seen_;
}

std::size_t LoopbackServer::CountSeen(std::string_view path) const {
    const std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const Seen& request : seen_) {
        count += request.target.substr(0, request.target.find('?')) == path ? 1 : 0;
    }
    return count;
}

bool LoopbackServer::Pause(std::chrono::milliseconds duration) const {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (!stopping_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return !stopping_;
}

void LoopbackServer::Record(const httplib::Request& request) {
    const std::lock_guard lock(mutex_);
    seen_.push_back({request.method, request.target, request.headers});
}

}  // namespace quexa::test
