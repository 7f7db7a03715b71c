// quexa-cli fetch and status as processes, against servers on loopback.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "cli_process.h"
#include "loopback_server.h"
#include "platform/settings_store.h"
#include "silent_server.h"
#include "temp_folder.h"
#include "test_certificates.h"
#include "test_site.h"
#include "tiny_proxy.h"

namespace quexa::test {
namespace {

using Clock = std::chrono::steady_clock;

class CliWebTest : public ::testing::Test {
  protected:
    CliWebTest() : site_(server_), settingsFile_(folder_.File("settings.ini").string()) {
        server_.Start();
    }

    // Runs quexa-cli with its own settings file, never the user's.
    quexa::testing::CliResult Cli(std::vector<std::string> arguments,
                                  const std::vector<std::string>& environment = {}) {
        arguments.insert(arguments.begin(), {"--settings", settingsFile_});
        quexa::testing::CliOptions options;
        options.environment = environment;
        options.folder = folder_.Path();
        return quexa::testing::RunCli(arguments, options);
    }

    void WriteProxy(int port) {
        platform::SettingsStore store(settingsFile_);
        store.WriteInt("System\\Proxy", "USE", 1);
        store.WriteString("System\\Proxy", "Server", " 127.0.0.1 ");
        store.WriteString("System\\Proxy", "Port", std::to_string(port));
    }

    quexa::testing::TempFolder folder_;
    LoopbackServer server_;
    TestSite site_;
    std::string settingsFile_;
};

TEST_F(CliWebTest, FetchPrintsThePageAsAWorkerGetsIt) {
    struct Case {
        const char* path;
        std::string expected;
    };
    const Case cases[] = {
        {"/nul", TestSite::NulPageText()},
        {"/gzip", TestSite::GzipText()},
        {"/redirect", TestSite::PageText()},
    };
    for (const auto& c : cases) {
        const auto run = Cli({"fetch", server_.Url(c.path)});
        EXPECT_EQ(run.exitCode, 0) << c.path << ": " << run.err;
        EXPECT_EQ(run.out, c.expected) << c.path;
    }
    EXPECT_EQ(server_.CountSeen("/nul"), 1u);
    EXPECT_EQ(server_.CountSeen("/page"), 1u);
}

TEST_F(CliWebTest, FetchFailuresAreErrors) {
    SilentServer silent;
    const auto start = Clock::now();
    const auto stalled = Cli({"fetch", "--timeout", "1", silent.Url("/silent")});
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(stalled.exitCode, 1);
    EXPECT_TRUE(stalled.out.empty());
    EXPECT_NE(stalled.err.find(silent.Url("/silent")), std::string::npos) << stalled.err;
    EXPECT_NE(silent.Received().find("GET /silent HTTP/1.1"), std::string::npos);

    const auto refused = Cli({"fetch", "ftp://files.example/a"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Error:"), std::string::npos);
    EXPECT_NE(Cli({"fetch", "--timeout", "0", server_.Url("/page")}).exitCode, 0);
    EXPECT_EQ(server_.CountSeen("/page"), 0u);
}

TEST_F(CliWebTest, APageCutShortIsPrintedWithANoteSayingWhy) {
    SilentServer stalling(
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n\r\n"
        "7\r\npartial\r\n");
    const auto stalled = Cli({"fetch", "--timeout", "1", stalling.Url("/stall")});
    EXPECT_EQ(stalled.exitCode, 0) << stalled.err;
    EXPECT_EQ(stalled.out, "partial");
    EXPECT_NE(stalled.err.find("Note: the page stopped: nothing came for 1 s"), std::string::npos)
        << stalled.err;

    const auto capped = Cli({"fetch", server_.Url("/big")});
    EXPECT_EQ(capped.exitCode, 0) << capped.err;
    EXPECT_LE(capped.out.size(), 8U * 1024 * 1024);
    EXPECT_GT(capped.out.size(), 7U * 1024 * 1024);
    EXPECT_NE(capped.err.find("Note: the page was cut at the size cap of 8 MiB"), std::string::npos)
        << capped.err;

    const auto whole = Cli({"fetch", server_.Url("/exact")});
    EXPECT_EQ(whole.exitCode, 0);
    EXPECT_TRUE(whole.err.empty()) << whole.err;
}

// A URL without a scheme is an http one: a TLS handshake with a plain server would fail.
TEST_F(CliWebTest, AUrlWithoutSchemeIsFetchedOverHttp) {
    const std::string url = server_.Url("/page");
    const std::string withoutScheme = url.substr(url.find("://") + 3);
    ASSERT_TRUE(withoutScheme.starts_with("127.0.0.1:")) << withoutScheme;
    const auto run = Cli({"fetch", "--timeout", "5", withoutScheme});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, TestSite::PageText());
    EXPECT_EQ(server_.CountSeen("/page"), 1u);
}

TEST_F(CliWebTest, StatusPrintsCodeAndVerificationResult) {
    struct Case {
        const char* path;
        std::string expected;
    };
    const Case cases[] = {
        {"/code/200", "200 Reachable\n"}, {"/code/301", "301 Reachable\n"},
        {"/code/302", "302 Unknown\n"},   {"/code/404", "404 Unreachable\n"},
        {"/code/502", "502 Unknown\n"},   {"/loop", "0 Unreachable\n"},
    };
    for (const auto& c : cases) {
        const auto run = Cli({"status", server_.Url(c.path)});
        EXPECT_EQ(run.exitCode, 0) << c.path << ": " << run.err;
        EXPECT_EQ(run.out, c.expected) << c.path;
    }
    EXPECT_EQ(server_.CountSeen("/code/404"), 1u);
}

TEST_F(CliWebTest, StatusUsesTheVerifyTimeOutOfTheSettings) {
    SilentServer silent;
    platform::SettingsStore(settingsFile_).WriteInt("UserData", "CTimeout", 1);
    const auto start = Clock::now();
    const auto run = Cli({"status", silent.Url("/silent")});
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0 Unreachable\n");
    EXPECT_NE(silent.Received().find("GET /silent HTTP/1.1"), std::string::npos);
}

TEST_F(CliWebTest, BothCommandsHonourTheProxyOfTheSettings) {
    TinyProxy proxy;
    LoopbackServer remote("127.0.0.2");
    const TestSite remoteSite(remote);
    remote.Start();
    WriteProxy(proxy.port());

    const auto fetched = Cli({"fetch", remote.Url("/page")});
    EXPECT_EQ(fetched.exitCode, 0) << fetched.err << proxy.Log();
    EXPECT_EQ(fetched.out, TestSite::PageText());
    const auto status = Cli({"status", remote.Url("/code/302")});
    EXPECT_EQ(status.out, "302 Unknown\n") << status.err;
    const auto local = Cli({"status", server_.Url("/code/200")});
    EXPECT_EQ(local.out, "200 Reachable\n") << local.err;

    const auto remoteSeen = remote.SeenRequests();
    ASSERT_EQ(remoteSeen.size(), 2u);
    for (const auto& request : remoteSeen) {
        EXPECT_TRUE(request.headers.count("Via")) << request.target;
    }
    ASSERT_EQ(server_.SeenRequests().size(), 1u);  // 127.0.0.1 is never proxied
    EXPECT_FALSE(server_.SeenRequests()[0].headers.count("Via"));
}

TEST_F(CliWebTest, TheExtraCaBundleIsHonoured) {
    const TestCertificates certificates;
    const std::string caFile = folder_.File("ca.pem").string();
    certificates.WriteCaPem(caFile);
    LoopbackServer secure(certificates.serverCert(), certificates.serverKey());
    const TestSite secureSite(secure);
    secure.Start();

    const auto refused = Cli({"status", secure.Url("/code/200")});
    EXPECT_EQ(refused.out, "0 Unreachable\n");
    const auto trusted = Cli({"status", secure.Url("/code/200")}, {"QUEXA_CA_BUNDLE=" + caFile});
    EXPECT_EQ(trusted.out, "200 Reachable\n") << trusted.err;
    EXPECT_EQ(secure.CountSeen("/code/200"), 1u);
}

}  // namespace
}  // namespace quexa::test
