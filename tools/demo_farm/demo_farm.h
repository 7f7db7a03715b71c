#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "demo_farm/fake_engine.h"
#include "demo_farm/location_kind.h"

namespace quexa::demo {

// A loopback HTTP server (127.0.0.1) that answers any query for the fake engines of FakeEngine
// (result pages under /engine/KEY/search?q=QUERY&page=N) and serves result locations that answer
// 200, 301, 302, 404, 500 or never (/loc/KIND/ID, see LocationKind). Every setter may be called
// while the farm runs, from any thread.
class DemoFarm {
  public:
    struct Options {
        int threads = 64;  // connections served at once
        // The longest a hanging answer (hang switch, "never" location) is held.
        std::chrono::milliseconds holdLimit{std::chrono::minutes(2)};
    };

    DemoFarm();
    explicit DemoFarm(const Options& options);
    ~DemoFarm();
    DemoFarm(const DemoFarm&) = delete;
    DemoFarm& operator=(const DemoFarm&) = delete;

    // Listens on 127.0.0.1 at that port, or at a free one for 0. False (and the reason in error)
    // when it can't listen or already runs.
    bool Start(int port = 0, std::string* error = nullptr);
    // Lets every held answer go and joins every thread; quick even with hanging requests open.
    // The farm may be started again afterwards.
    void Stop();
    bool running() const;
    int port() const { return port_; }
    // "http://127.0.0.1:PORT" and that followed by the path.
    std::string BaseUrl() const;
    std::string Url(std::string_view path) const;
    std::string LocationUrl(LocationKind kind, std::string_view id) const;

    // Added to every engine page, or to the pages of one engine (by key; it wins over the former).
    void SetEngineLatency(std::chrono::milliseconds latency);
    void SetEngineLatency(std::string_view key, std::chrono::milliseconds latency);
    // Added to every location answer (not to "never", which never answers).
    void SetLocationLatency(std::chrono::milliseconds latency);
    // While on, every engine page is held unanswered until the switch is cleared or Stop.
    void SetHangEngines(bool hang);

    // Requests seen for that path (without the query), under a path prefix, and in all.
    std::size_t RequestCount(std::string_view path) const;
    std::size_t RequestCountUnder(std::string_view prefix) const;
    std::size_t TotalRequests() const;
    // Answers being held right now (hang switch and "never" locations).
    std::size_t HeldRequests() const;
    void ResetCounters();

    // The fake engines of the demo set (benchmark engines are served too: FakeEngine::Bench).
    static const std::vector<FakeEngine>& Engines() { return FakeEngine::DemoSet(); }

  private:
    // Everything the request handlers share; it lives as long as the farm.
    struct State;

    Options options_;
    std::unique_ptr<State> state_;
    int port_ = 0;
};

}  // namespace quexa::demo
