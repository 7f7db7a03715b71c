// What a service sees of quexa-cli search and fetch: the user agent with the user's contact, and
// an engine's pages no closer together than its search URL asks.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "cli_process.h"
#include "loopback_server.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

using Clock = std::chrono::steady_clock;

class FairUseCliTest : public ::testing::Test {
  protected:
    FairUseCliTest() : settingsFile_(home_.File("settings.ini").string()) {
        // Two pages of one item each, then an empty one that ends the search.
        server_.routes().Get(
            "/search", [this](const httplib::Request& request, httplib::Response& response) {
                {
                    const std::lock_guard lock(mutex_);
                    arrivals_.push_back(Clock::now());
                }
                const std::string page = request.get_param_value("p");
                std::string body = "<html><body><ul>";
                if (page == "1" || page == "2") {
                    body += "<li><a href=\"http://r.example/" + page + "\">Result\n  " + page +
                            "</a><p>Preview <b>of</b> page " + page + "</p></li>";
                }
                response.set_content(body + "</ul></body></html>", "text/html");
            });
        server_.Start();
    }

    quexa::testing::CliResult Cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {"--home", home_.Path().string(), "--settings", settingsFile_});
        quexa::testing::CliOptions options;
        options.folder = home_.Path();
        return quexa::testing::RunCli(arguments, options);
    }

    // A category "Fair" with one engine that pages by number and asks for a second between
    // its requests.
    void WriteCategory() {
        const std::filesystem::path categories = home_.Path() / "Categories";
        std::filesystem::create_directories(categories / "Fair");
        std::ofstream(home_.File("config.source").string())
            << "[category]\nname=Fair\ndirectory=Fair\nnote=One engine on loopback.\n";
        ASSERT_EQ(Cli({"category", "pack", home_.File("config.source").string(),
                       (categories / "config.qcf").string()})
                      .exitCode,
                  0);
        std::ofstream(home_.File("fair.engine").string())
            << "name=Fair\nitem_templates=<li><a href=\"*URL*\">*TITLE*</a><p>*PREVIEW*</p></li>\n"
            << "search_url=</PAGE_INTERVAL_1/>" << server_.Url("/search")
            << "?q=_QUERY_&amp;p=*PAGE_NUMBER*\n";
        const auto packed = Cli({"engine", "pack", home_.File("fair.engine").string(),
                                 (categories / "Fair" / "fair.qzf").string()});
        ASSERT_EQ(packed.exitCode, 0) << packed.err;
    }

    std::vector<std::string> Agents() const {
        std::vector<std::string> agents;
        for (const auto& seen : server_.SeenRequests()) {
            const auto agent = seen.headers.find("User-Agent");
            agents.push_back(agent == seen.headers.end() ? "" : agent->second);
        }
        return agents;
    }

    quexa::testing::TempFolder home_;
    LoopbackServer server_;
    std::string settingsFile_;
    std::mutex mutex_;
    std::vector<Clock::time_point> arrivals_;
};

TEST_F(FairUseCliTest, FetchSendsTheContactOnlyWhenOneIsSet) {
    ASSERT_EQ(Cli({"fetch", server_.Url("/search")}).exitCode, 0);
    const auto set = Cli({"config", "set", "System\\Proxy", "Contact", " ops@example.org "});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    ASSERT_EQ(Cli({"fetch", server_.Url("/search")}).exitCode, 0);
    ASSERT_EQ(Cli({"config", "set", "System\\Proxy", "Contact", "https://example.org/me"}).exitCode,
              0);
    ASSERT_EQ(Cli({"fetch", server_.Url("/search")}).exitCode, 0);
    const std::vector<std::string> expected{"Quexa Version 1.0",
                                            "Quexa Version 1.0 (ops@example.org)",
                                            "Quexa Version 1.0 (https://example.org/me)"};
    EXPECT_EQ(Agents(), expected);
}

TEST_F(FairUseCliTest, SearchSendsTheAgentAndKeepsTheEnginesInterval) {
    WriteCategory();
    ASSERT_EQ(Cli({"config", "set", "System\\Proxy", "Contact", "ops@example.org"}).exitCode, 0);
    const auto search = Cli({"search", "--category", "Fair", "--json", "lighthouse"});
    ASSERT_EQ(search.exitCode, 0) << search.err;
    EXPECT_NE(search.out.find("\"title\":\"Result 1\""), std::string::npos) << search.out;
    EXPECT_NE(search.out.find("\"preview\":\"Preview of page 2\""), std::string::npos)
        << search.out;

    const std::vector<std::string> agents = Agents();
    ASSERT_EQ(agents.size(), 3u) << "pages 1, 2 and the empty page 3";
    for (const std::string& agent : agents) {
        EXPECT_EQ(agent, "Quexa Version 1.0 (ops@example.org)");
    }
    const std::lock_guard lock(mutex_);
    ASSERT_EQ(arrivals_.size(), 3u);
    for (std::size_t i = 1; i < arrivals_.size(); ++i) {
        // A request is started no sooner than a second after the one before; the first one's
        // connection set-up may have delayed its arrival a little.
        EXPECT_GE(arrivals_[i] - arrivals_[i - 1], std::chrono::milliseconds(900)) << i;
    }
}

}  // namespace
}  // namespace quexa::test
