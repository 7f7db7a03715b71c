// HttpSession fetching a 4 MiB page and asking for headers over loopback, against a bare libcurl
// easy handle doing the same GET into a string: what the chunk rule, the cap, the stop checks
// and the header bookkeeping cost.
#include <benchmark/benchmark.h>

#include "summary_reporter.h"
#include <curl/curl.h>
#include <httplib.h>

#include <cstdio>
#include <map>
#include <string>
#include <thread>

#include "web/http_session.h"

namespace {

constexpr std::size_t kPageSize = 4u << 20;

std::string PageBody() {
    std::string body;
    for (int i = 0; body.size() < kPageSize; ++i) {
        body += "<div class=\"r\"><a href=\"http://site" + std::to_string(i) +
                ".example/\">Result</a> preview text of the item</div>\n";
    }
    body.resize(kPageSize);
    return body;
}

class Server {
  public:
    Server() : body_(PageBody()) {
        server_.Get("/page", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content(body_, "application/octet-stream");
        });
        server_.Get("/small", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("ok", "application/octet-stream");
        });
        server_.set_tcp_nodelay(true);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~Server() {
        server_.stop();
        thread_.join();
    }
    std::string Url(const char* path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    std::string body_;
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

Server& TheServer() {
    static Server server;
    return server;
}

size_t Append(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

void Session(benchmark::State& state, const char* path, bool headersOnly) {
    quexa::web::HttpSession session(quexa::web::HttpSettings{});
    const std::string url = TheServer().Url(path);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto answer = headersOnly ? session.QueryRawHeaders(url) : session.FetchPage(url);
        if (!answer) {
            state.SkipWithError("request failed");
            return;
        }
        bytes += answer->size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void Curl(benchmark::State& state, const char* path) {
    CURL* easy = curl_easy_init();
    const std::string url = TheServer().Url(path);
    std::string out;
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &out);
    std::size_t bytes = 0;
    for (auto _ : state) {
        out.clear();
        if (curl_easy_perform(easy) != CURLE_OK) {
            state.SkipWithError("request failed");
            break;
        }
        bytes += out.size();
    }
    curl_easy_cleanup(easy);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

BENCHMARK_CAPTURE(Session, fetch, "/page", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Curl, fetch, "/page")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Session, status, "/small", true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Curl, status, "/small")->Unit(benchmark::kMicrosecond);


}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double session = reporter.Seconds("Session/fetch");
    const double curl = reporter.Seconds("Curl/fetch");
    const double query = reporter.Seconds("Session/status");
    const double small = reporter.Seconds("Curl/status");
    if (session <= 0 || curl <= 0 || query <= 0 || small <= 0) {
        return 0;  // filtered out
    }
    std::printf("ratio session/curl fetch: %.3f (goal >= 0.7); session %.0f MB/s, curl %.0f MB/s\n",
                curl / session, static_cast<double>(kPageSize) / 1e6 / session,
                static_cast<double>(kPageSize) / 1e6 / curl);
    std::printf("ratio session/curl status query: %.3f (goal >= 0.5); %.0f queries/s\n",
                small / query, 1 / query);
    return 0;
}
