#include "demo_farm/demo_farm.h"

#include <httplib.h>

#include <sys/socket.h>

#include <charconv>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "demo_farm/page_writer.h"

namespace quexa::demo {

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr const char* kHost = "127.0.0.1";
constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr int kKeepAliveRequests = 1000;
constexpr time_t kSocketTimeoutSeconds = 5;
// The server can't end an idle kept-alive connection early, so this bounds how long one
// delays Stop.
constexpr time_t kKeepAliveSeconds = 1;

int PageParameter(const httplib::Request& request, int fallback) {
    if (!request.has_param("page")) {
        return fallback;
    }
    const std::string text = request.get_param_value("page");
    int page = fallback;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), page);
    return error == std::errc() && end == text.data() + text.size() ? page : fallback;
}

}  // namespace

struct DemoFarm::State {
    std::unique_ptr<httplib::Server> server;
    std::thread thread;

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    bool hangEngines = false;
    milliseconds engineLatency{0};
    milliseconds locationLatency{0};
    std::map<std::string, milliseconds, std::less<>> engineLatencies;
    std::map<std::string, std::size_t, std::less<>> counts;
    std::size_t total = 0;
    std::size_t held = 0;
    milliseconds holdLimit{0};
    int port = 0;

    void ServeEnginePage(const httplib::Request& request, httplib::Response& response);
    void ServeLocation(const httplib::Request& request, httplib::Response& response);

    void Count(const std::string& path) {
        const std::lock_guard lock(mutex);
        ++counts[path];
        ++total;
    }

    // Sleeps without blocking other requests; a stop cuts it short. False once stopping.
    bool Delay(milliseconds delay) {
        std::unique_lock lock(mutex);
        if (delay.count() > 0) {
            wake.wait_for(lock, delay, [this] { return stopping; });
        }
        return !stopping;
    }

    // Holds the answer while holding() says so, until a stop or the limit. False once stopping.
    bool Hold(const std::function<bool()>& holding, milliseconds limit) {
        std::unique_lock lock(mutex);
        if (!stopping && holding()) {
            ++held;
            wake.wait_until(lock, Clock::now() + limit, [&] { return stopping || !holding(); });
            --held;
        }
        return !stopping;
    }

    milliseconds EngineLatency(std::string_view key) const {
        const std::lock_guard lock(mutex);
        const auto found = engineLatencies.find(key);
        return found == engineLatencies.end() ? engineLatency : found->second;
    }

    milliseconds LocationLatency() const {
        const std::lock_guard lock(mutex);
        return locationLatency;
    }
};

DemoFarm::DemoFarm() : DemoFarm(Options()) {}

DemoFarm::DemoFarm(const Options& options) : options_(options), state_(std::make_unique<State>()) {}

DemoFarm::~DemoFarm() {
    Stop();
}

namespace {

// Answers a held request that was let go by a stop: the client is usually gone by then.
void AnswerStopping(httplib::Response& response) {
    response.status = 503;
    response.set_header("Connection", "close");
    response.set_content("The demo farm is stopping.\n", "text/plain");
}

// Starts a 200 answer for the whole page but sends only what comes before the first item,
// then drops the connection.
void AnswerDropped(const std::string& html, httplib::Response& response) {
    auto head = std::make_shared<std::string>(html.substr(0, PageWriter::BodyStart(html)));
    response.set_content_provider(html.size(), kHtml,
                                  [head](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                      if (offset == 0) {
                                          sink.write(head->data(), head->size());
                                      }
                                      return false;
                                  });
}

std::string IndexPage(const DemoFarm& farm) {
    PageWriter writer("Quexa demo engine farm");
    writer.Line("<h1>Quexa demo engine farm</h1>");
    writer.Line("<ul>");
    for (const FakeEngine& engine : DemoFarm::Engines()) {
        writer.Line("<li><a href=\"" + farm.Url(engine.SearchPath()) + "?q=demo\">" +
                    engine.name() + "</a>: " + engine.shape().purpose + "</li>");
    }
    writer.Line("</ul>");
    return writer.Finish();
}

}  // namespace

bool DemoFarm::Start(int port, std::string* error) {
    if (state_->server) {
        if (error != nullptr) {
            *error = "the farm already runs on port " + std::to_string(port_);
        }
        return false;
    }
    auto server = std::make_unique<httplib::Server>();
    const auto threads = static_cast<std::size_t>(std::max(1, options_.threads));
    server->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    server->set_keep_alive_max_count(kKeepAliveRequests);
    server->set_keep_alive_timeout(kKeepAliveSeconds);
    server->set_tcp_nodelay(true);
    // Without SO_REUSEPORT, which would let a second farm share a busy port.
    auto listening = std::make_shared<socket_t>(INVALID_SOCKET);
    server->set_socket_options([listening](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        *listening = socket;
    });
    server->set_read_timeout(kSocketTimeoutSeconds, 0);
    server->set_write_timeout(kSocketTimeoutSeconds, 0);

    State& state = *state_;
    server->set_pre_routing_handler([&state](const httplib::Request& request, httplib::Response&) {
        state.Count(request.path);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server->Get(R"(/engine/([^/]+)/search)",
                [&state](const httplib::Request& request, httplib::Response& response) {
                    state.ServeEnginePage(request, response);
                });
    server->Get(R"(/loc/([^/]+)/(.+))",
                [&state](const httplib::Request& request, httplib::Response& response) {
                    state.ServeLocation(request, response);
                });
    server->Get("/click", [](const httplib::Request& request, httplib::Response& response) {
        response.set_redirect("http://" + request.get_param_value("to"), 302);
    });
    server->Get("/", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(IndexPage(*this), kHtml);
    });

    const int bound = port == 0 ? server->bind_to_any_port(kHost)
                                : (server->bind_to_port(kHost, port) ? port : -1);
    if (bound <= 0) {
        if (error != nullptr) {
            *error = "can't listen on " + std::string(kHost) + ":" + std::to_string(port);
        }
        return false;
    }
    // httplib listens with a backlog of 5: of a dozen workers connecting at once, some would
    // lose their SYN and wait a second for the retry. A second listen() sets a new backlog.
    if (*listening != INVALID_SOCKET) {
        ::listen(*listening, SOMAXCONN);
    }
    {
        const std::lock_guard lock(state.mutex);
        state.stopping = false;
    }
    port_ = bound;
    state.port = bound;
    state.holdLimit = options_.holdLimit;
    state.server = std::move(server);
    state.thread = std::thread([&state] { state.server->listen_after_bind(); });
    // A stop before the server counts itself running would be lost and leave it in accept().
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!state.server->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void DemoFarm::Stop() {
    State& state = *state_;
    if (!state.server) {
        return;
    }
    {
        const std::lock_guard lock(state.mutex);
        state.stopping = true;
    }
    state.wake.notify_all();
    state.server->stop();
    if (state.thread.joinable()) {
        state.thread.join();
    }
    state.server.reset();
    port_ = 0;
}

bool DemoFarm::running() const {
    return state_->server != nullptr;
}

std::string DemoFarm::BaseUrl() const {
    return "http://" + std::string(kHost) + ":" + std::to_string(port_);
}

std::string DemoFarm::Url(std::string_view path) const {
    return BaseUrl() + std::string(path);
}

std::string DemoFarm::LocationUrl(LocationKind kind, std::string_view id) const {
    return Url(LocationPath(kind, id));
}

void DemoFarm::SetEngineLatency(milliseconds latency) {
    const std::lock_guard lock(state_->mutex);
    state_->engineLatency = latency;
}

void DemoFarm::SetEngineLatency(std::string_view key, milliseconds latency) {
    const std::lock_guard lock(state_->mutex);
    state_->engineLatencies.insert_or_assign(std::string(key), latency);
}

void DemoFarm::SetLocationLatency(milliseconds latency) {
    const std::lock_guard lock(state_->mutex);
    state_->locationLatency = latency;
}

void DemoFarm::SetHangEngines(bool hang) {
    {
        const std::lock_guard lock(state_->mutex);
        state_->hangEngines = hang;
    }
    state_->wake.notify_all();
}

std::size_t DemoFarm::RequestCount(std::string_view path) const {
    const std::lock_guard lock(state_->mutex);
    const auto found = state_->counts.find(path);
    return found == state_->counts.end() ? 0 : found->second;
}

std::size_t DemoFarm::RequestCountUnder(std::string_view prefix) const {
    const std::lock_guard lock(state_->mutex);
    std::size_t count = 0;
    for (const auto& [path, seen] : state_->counts) {
        count += path.starts_with(prefix) ? seen : 0;
    }
    return count;
}

std::size_t DemoFarm::TotalRequests() const {
    const std::lock_guard lock(state_->mutex);
    return state_->total;
}

std::size_t DemoFarm::HeldRequests() const {
    const std::lock_guard lock(state_->mutex);
    return state_->held;
}

void DemoFarm::ResetCounters() {
    const std::lock_guard lock(state_->mutex);
    state_->counts.clear();
    state_->total = 0;
}

void DemoFarm::State::ServeEnginePage(const httplib::Request& request,
                                      httplib::Response& response) {
    const std::string key = request.matches[1];
    const std::optional<FakeEngine> engine = FakeEngine::FromKey(key);
    if (!engine) {
        response.status = 404;
        response.set_content("No engine " + key + " on this farm.\n", "text/plain");
        return;
    }
    const int page = PageParameter(request, engine->FirstPage());
    const std::string query = request.get_param_value("q");
    milliseconds delay = EngineLatency(key);
    if (engine->shape().fault == Fault::kSlow) {
        delay += FakeEngine::kSlowDelay;
    }
    const bool going = Hold([this] { return hangEngines; }, holdLimit) && Delay(delay);
    if (!going) {
        AnswerStopping(response);
        return;
    }
    const std::string html = engine->PageHtml(query, page, port);
    if (engine->shape().fault == Fault::kConnectionClosed) {
        AnswerDropped(html, response);
        return;
    }
    response.status = engine->PageStatus(page);
    response.set_content(html, kHtml);
}

void DemoFarm::State::ServeLocation(const httplib::Request& request, httplib::Response& response) {
    const std::optional<LocationKind> kind = ParseLocationKind(request.matches[1].str());
    const std::string id = request.matches[2];
    if (!kind) {
        response.status = 404;
        response.set_content("No such kind of location.\n", "text/plain");
        return;
    }
    if (*kind == LocationKind::kNever) {
        Hold([] { return true; }, holdLimit);
        AnswerStopping(response);
        return;
    }
    if (!Delay(LocationLatency())) {
        AnswerStopping(response);
        return;
    }
    const int status = LocationStatus(*kind);
    if (*kind != LocationKind::kFoundNowhere && (status == 301 || status == 302)) {
        response.set_redirect("http://" + std::string(kHost) + ":" + std::to_string(port) +
                                  LocationPath(LocationKind::kOk, id),
                              status);
        return;
    }
    response.status = status;
    PageWriter writer("Demo location " + id);
    writer.Line("<p>Demo location " + id + " answers " + std::to_string(status) + ".</p>");
    response.set_content(writer.Finish(), kHtml);
}

}  // namespace quexa::demo
