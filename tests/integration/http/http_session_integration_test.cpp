// HttpSession against real servers on loopback: what comes back, and what the servers saw.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "core/status_code.h"
#include "loopback_server.h"
#include "silent_server.h"
#include "temp_folder.h"
#include "test_certificates.h"
#include "test_site.h"
#include "tiny_proxy.h"
#include "web/http_session.h"
#include "web/verification_result.h"

namespace quexa::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using web::HttpSession;
using web::HttpSettings;

constexpr std::size_t kMiB = 1024 * 1024;

HttpSettings WithTimeout(int seconds, const std::atomic<int>* stopFlag = nullptr) {
    HttpSettings settings;
    settings.timeoutSeconds = seconds;
    settings.stopFlag = stopFlag;
    return settings;
}

std::string Header(const LoopbackServer::Seen& request, const std::string& name) {
    const auto found = request.headers.find(name);
    return found == request.headers.end() ? std::string() : found->second;
}

std::size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    std::size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

std::size_t PeakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

// Sets an environment variable for one test.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
};

// Clears the flag once the server has seen the request and a little more time has passed, and
// tells when it did.
class Stopper {
  public:
    Stopper(std::atomic<int>& flag, std::function<bool()> requestSeen)
        : thread_([this, &flag, requestSeen = std::move(requestSeen)] {
              while (!requestSeen()) {
                  std::this_thread::sleep_for(milliseconds(5));
              }
              std::this_thread::sleep_for(milliseconds(300));
              stoppedAt_ = Clock::now();
              flag = 0;
          }) {}
    ~Stopper() { Join(); }
    Stopper(const Stopper&) = delete;
    Stopper& operator=(const Stopper&) = delete;

    Clock::time_point StoppedAt() {
        Join();
        return stoppedAt_;
    }

  private:
    void Join() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    Clock::time_point stoppedAt_;
    std::thread thread_;
};

class HttpSessionIntegrationTest : public ::testing::Test {
  protected:
    HttpSessionIntegrationTest() : site_(server_) { server_.Start(); }

    LoopbackServer server_;
    TestSite site_;
};

TEST_F(HttpSessionIntegrationTest, PagesComeBackAsAWorkerReadsThem) {
    struct Case {
        const char* path;
        std::string expected;
    };
    const Case cases[] = {
        {"/page", TestSite::PageText()},     {"/exact", TestSite::ExactBody()},
        {"/nul", TestSite::NulPageText()},   {"/gzip", TestSite::GzipText()},
        {"/code/404", "status 404"},         {"/code/500", "status 500"},
        {"/redirect", TestSite::PageText()},
    };
    HttpSession session(WithTimeout(10));
    for (const auto& c : cases) {
        const auto page = session.FetchPage(server_.Url(c.path));
        ASSERT_TRUE(page.has_value()) << c.path << ": " << session.LastErrorText();
        EXPECT_EQ(*page, c.expected) << c.path;
    }
    const auto seen = server_.SeenRequests();
    ASSERT_EQ(seen.size(), std::size(cases) + 1);  // the redirect's target too
    for (const auto& request : seen) {
        EXPECT_EQ(request.method, "GET") << request.target;
        EXPECT_EQ(Header(request, "User-Agent"), "Quexa Version 1.0") << request.target;
        EXPECT_EQ(Header(request, "Cache-Control"), "no-cache") << request.target;
        EXPECT_EQ(Header(request, "Pragma"), "no-cache") << request.target;
        EXPECT_NE(Header(request, "Accept-Encoding").find("gzip"), std::string::npos);
    }
    EXPECT_EQ(seen.back().target, "/page");
    EXPECT_EQ(server_.CountSeen("/redirect"), 1u);
}

TEST_F(HttpSessionIntegrationTest, SendsNoCookiesAndEncodesUnsafeBytes) {
    HttpSession session(WithTimeout(10));
    ASSERT_TRUE(session.FetchPage(server_.Url("/cookie")).has_value());
    const auto echo = session.FetchPage(server_.Url("/echo?q=news game stock&x=\"a|b\"%41"));
    ASSERT_TRUE(echo.has_value()) << session.LastErrorText();
    EXPECT_EQ(*echo, "ok");
    const auto seen = server_.SeenRequests();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].target, "/echo?q=news%20game%20stock&x=%22a%7Cb%22%41");
    for (const auto& request : seen) {
        EXPECT_FALSE(request.headers.count("Cookie")) << request.target;
    }
}

TEST_F(HttpSessionIntegrationTest, StatusQueriesMapToVerificationResults) {
    using core::StatusCode;
    struct Case {
        const char* path;
        int code;
        StatusCode result;
    };
    const Case cases[] = {
        {"/code/200", 200, StatusCode::Reachable},
        {"/code/301", 301, StatusCode::Reachable},
        {"/code/302", 302, StatusCode::Unknown},
        {"/code/404", 404, StatusCode::Unreachable},
        {"/code/500", 500, StatusCode::Unknown},
        {"/code/502", 502, StatusCode::Unknown},
        {"/redirect", 200, StatusCode::Reachable},
        {"/loop", 0, StatusCode::Unreachable},
        // A redirect that may not be followed is the answer itself.
        {"/to-ftp", 302, StatusCode::Unknown},
    };
    HttpSession session(WithTimeout(10));
    for (const auto& c : cases) {
        const auto headers = session.QueryRawHeaders(server_.Url(c.path));
        EXPECT_EQ(headers.has_value(), c.code != 0) << c.path;
        if (headers) {
            EXPECT_TRUE(headers->starts_with("HTTP/1.1 " + std::to_string(c.code))) << c.path;
            EXPECT_TRUE(headers->ends_with(std::string("\0\0", 2))) << c.path;
        }
        EXPECT_EQ(session.StatusCode(), c.code) << c.path;
        EXPECT_EQ(web::VerificationResult(session.StatusCode()), c.result) << c.path;
    }
    for (const auto& request : server_.SeenRequests()) {
        EXPECT_EQ(request.method, "GET") << request.target;
    }
    EXPECT_EQ(server_.CountSeen("/code/302"), 1u);
    EXPECT_EQ(server_.CountSeen("/loop"), 11u);  // the first request and ten redirects
}

TEST_F(HttpSessionIntegrationTest, PagesInAnotherCharsetComeBackInUtf8) {
    const struct {
        const char* path;
        std::string expected;
    } cases[] = {
        {"/latin1-header", "<p>caf\xC3\xA9</p>"},
        {"/latin1-meta", "<meta charset=\"iso-8859-1\"><p>cr\xC3\xA8me</p>"},
    };
    HttpSession session(WithTimeout(10));
    for (const auto& c : cases) {
        const auto page = session.FetchPage(server_.Url(c.path));
        ASSERT_TRUE(page.has_value()) << c.path;
        EXPECT_EQ(std::string(*page), c.expected) << c.path;
    }
}

TEST_F(HttpSessionIntegrationTest, ARedirectLoopIsNoPage) {
    HttpSession session(WithTimeout(10));
    EXPECT_FALSE(session.FetchPage(server_.Url("/loop")).has_value());
    EXPECT_EQ(session.LastError(), CURLE_TOO_MANY_REDIRECTS);
    EXPECT_EQ(server_.CountSeen("/loop"), 11u);
}

TEST_F(HttpSessionIntegrationTest, StatusQueryStopsAtTheHeaders) {
    HttpSession session(WithTimeout(60));
    const auto start = Clock::now();
    ASSERT_TRUE(session.QueryRawHeaders(server_.Url("/drip")).has_value());
    EXPECT_EQ(session.StatusCode(), 200);
    ASSERT_TRUE(session.QueryRawHeaders(server_.Url("/big")).has_value());
    EXPECT_EQ(session.StatusCode(), 200);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));  // the drip was not waited out
    // What the server could push into the socket buffers, far from the whole body.
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_LT(site_.BigBytesSent(), 50 * kMiB);
}

TEST_F(HttpSessionIntegrationTest, AHugeBodyIsCappedWithBoundedMemory) {
    const std::size_t residentBefore = ResidentBytes();
    HttpSession session(WithTimeout(30));
    const auto page = session.FetchPage(server_.Url("/big"));
    ASSERT_TRUE(page.has_value()) << session.LastErrorText();
    EXPECT_EQ(page->size(), 8 * kMiB);
    EXPECT_EQ(page->find_first_not_of('y'), std::string_view::npos);
    const std::size_t peak = PeakResidentBytes();
    EXPECT_LT(peak > residentBefore ? peak - residentBefore : 0, 64 * kMiB);
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_LT(site_.BigBytesSent(), 60 * kMiB);
    EXPECT_EQ(server_.CountSeen("/big"), 1u);
}

TEST_F(HttpSessionIntegrationTest, StallsEndWithTheTimeOut) {
    SilentServer silent;
    HttpSession session(WithTimeout(1));
    const auto start = Clock::now();
    const auto drip = session.FetchPage(server_.Url("/drip"));
    ASSERT_TRUE(drip.has_value()) << session.LastErrorText();  // the text so far is the page
    EXPECT_FALSE(drip->empty());
    EXPECT_EQ(drip->find_first_not_of('x'), std::string_view::npos);
    EXPECT_FALSE(session.QueryRawHeaders(silent.Url("/silent")).has_value());
    EXPECT_EQ(session.StatusCode(), 0);
    EXPECT_EQ(session.LastError(), CURLE_OPERATION_TIMEDOUT);
    EXPECT_FALSE(session.FetchPage(silent.Url("/quiet")).has_value());
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(server_.CountSeen("/drip"), 1u);
    const std::string received = silent.Received();
    EXPECT_NE(received.find("GET /silent HTTP/1.1\r\n"), std::string::npos);
    EXPECT_NE(received.find("GET /quiet HTTP/1.1\r\n"), std::string::npos);
    EXPECT_NE(received.find("User-Agent: Quexa Version 1.0\r\n"), std::string::npos);
}

TEST_F(HttpSessionIntegrationTest, AStopEndsATransferWithin200Milliseconds) {
    {
        std::atomic<int> runFlag{1};
        HttpSession session(WithTimeout(60, &runFlag));
        Stopper stopper(runFlag, [&] { return server_.CountSeen("/drip") > 0; });
        const auto page = session.FetchPage(server_.Url("/drip"));
        const auto returnedAt = Clock::now();
        EXPECT_LT(returnedAt - stopper.StoppedAt(), milliseconds(200));
        ASSERT_TRUE(page.has_value());  // read until the stop: the text so far
        EXPECT_FALSE(page->empty());
        EXPECT_EQ(page->find_first_not_of('x'), std::string_view::npos);
    }
    {
        SilentServer silent;
        std::atomic<int> runFlag{1};
        HttpSession session(WithTimeout(60));
        session.SetStopFlag(&runFlag);
        Stopper stopper(runFlag, [&] { return !silent.Received().empty(); });
        EXPECT_FALSE(session.QueryRawHeaders(silent.Url("/silent")).has_value());
        const auto returnedAt = Clock::now();
        EXPECT_LT(returnedAt - stopper.StoppedAt(), milliseconds(200));
        EXPECT_EQ(session.StatusCode(), 0);
    }
}

TEST(HttpsIntegrationTest, CertificatesAreVerified) {
    const TestCertificates certificates;
    quexa::testing::TempFolder folder;
    const std::string caFile = folder.File("test-ca.pem").string();
    certificates.WriteCaPem(caFile);
    LoopbackServer trusted(certificates.serverCert(), certificates.serverKey());
    const TestSite trustedSite(trusted);
    trusted.Start();
    LoopbackServer selfSigned(certificates.selfSignedCert(), certificates.selfSignedKey());
    const TestSite selfSignedSite(selfSigned);
    selfSigned.Start();

    {
        HttpSession withoutTestCa(WithTimeout(10));
        EXPECT_FALSE(withoutTestCa.FetchPage(trusted.Url("/page")).has_value());
        EXPECT_EQ(withoutTestCa.LastError(), CURLE_PEER_FAILED_VERIFICATION);
    }
    const ScopedVariable bundle(HttpSession::kCaBundleVariable, caFile);
    HttpSession session(WithTimeout(10));
    const auto page = session.FetchPage(trusted.Url("/page"));
    ASSERT_TRUE(page.has_value()) << session.LastErrorText();
    EXPECT_EQ(*page, TestSite::PageText());
    ASSERT_TRUE(session.QueryRawHeaders(trusted.Url("/code/404")).has_value());
    EXPECT_EQ(session.StatusCode(), 404);
    EXPECT_EQ(trusted.CountSeen("/page"), 1u);
    EXPECT_EQ(trusted.CountSeen("/code/404"), 1u);

    EXPECT_FALSE(session.FetchPage(selfSigned.Url("/page")).has_value());
    EXPECT_EQ(session.LastError(), CURLE_PEER_FAILED_VERIFICATION);
    EXPECT_FALSE(session.QueryRawHeaders(selfSigned.Url("/page")).has_value());
    EXPECT_EQ(session.StatusCode(), 0);
    EXPECT_TRUE(selfSigned.SeenRequests().empty());
}

TEST(ProxyIntegrationTest, DottedHostsGoThroughTheProxyLocalOnesDoNot) {
    TinyProxy proxy;
    LoopbackServer remote("127.0.0.2");
    const TestSite remoteSite(remote);
    remote.Start();
    LoopbackServer local;
    const TestSite localSite(local);
    local.Start();

    HttpSettings settings = WithTimeout(10);
    settings.proxyEnabled = true;
    settings.proxyAddress = "127.0.0.1:" + std::to_string(proxy.port());
    HttpSession session(settings);

    const auto page = session.FetchPage(remote.Url("/page"));
    ASSERT_TRUE(page.has_value()) << session.LastErrorText() << "\n" << proxy.Log();
    EXPECT_EQ(*page, TestSite::PageText());
    ASSERT_TRUE(session.QueryRawHeaders(remote.Url("/code/404")).has_value());
    EXPECT_EQ(session.StatusCode(), 404);
    const auto remoteSeen = remote.SeenRequests();
    ASSERT_EQ(remoteSeen.size(), 2u);
    for (const auto& request : remoteSeen) {
        EXPECT_NE(Header(request, "Via").find("tinyproxy"), std::string::npos) << request.target;
        EXPECT_EQ(Header(request, "User-Agent"), "Quexa Version 1.0");
    }
    EXPECT_NE(proxy.Log().find(remote.Url("/page")), std::string::npos) << proxy.Log();

    const std::string localUrl = "http://localhost:" + std::to_string(local.port()) + "/page";
    const auto localPage = session.FetchPage(localUrl);
    ASSERT_TRUE(localPage.has_value()) << session.LastErrorText();
    EXPECT_EQ(*localPage, TestSite::PageText());
    const auto localSeen = local.SeenRequests();
    ASSERT_EQ(localSeen.size(), 1u);
    EXPECT_FALSE(localSeen[0].headers.count("Via"));
    EXPECT_EQ(proxy.Log().find("localhost:" + std::to_string(local.port())), std::string::npos);
}

TEST(ProxyIntegrationTest, AProxyWithoutAHostIsNotUsed) {
    LoopbackServer server;
    const TestSite site(server);
    server.Start();
    HttpSettings settings = WithTimeout(10);
    settings.proxyEnabled = true;
    settings.proxyAddress = ":80";
    HttpSession session(settings);
    const auto page = session.FetchPage(server.Url("/page"));
    ASSERT_TRUE(page.has_value()) << session.LastErrorText();
    EXPECT_EQ(*page, TestSite::PageText());
    ASSERT_EQ(server.SeenRequests().size(), 1u);
    EXPECT_FALSE(server.SeenRequests()[0].headers.count("Via"));
}

}  // namespace
}  // namespace quexa::test
