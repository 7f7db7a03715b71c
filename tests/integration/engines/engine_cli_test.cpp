// The engine author's tools as a user runs them: pack a source, show it, extract a saved page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_process.h"

namespace {

namespace fs = std::filesystem;
using quexa::testing::Lines;
using quexa::testing::RunCli;

class EngineCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quexa-engine-cli-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& text) const {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path dir_;
};

constexpr const char* kSource =
    "name=Sample\n"
    "website=http://www.sample.example/\n"
    "url_rules=<URL>/go?to=*URL*&amp;</URL>\n"
    "item_templates=<li><a href=\"*URL*\">*TITLE*</a><p>*PREVIEW*</p></li>\n"
    "next_page_templates=<a rel=\"next\" href=\"*URL*\">\n"
    "next_page_root=http://www.sample.example\n"
    "search_url=http://www.sample.example/find?q=_QUERY_&amp;page=*PAGE_NUMBER*\n";

TEST_F(EngineCliTest, PackShowRoundTrip) {
    const fs::path engine = dir_ / "Global" / "sample.qzf";
    const auto pack =
        RunCli({"engine", "pack", Write("sample.engine", kSource).string(), engine.string()});
    ASSERT_EQ(pack.exitCode, 0) << pack.err;
    EXPECT_EQ(fs::file_size(engine), 1600u);

    const auto json = RunCli({"engine", "show", engine.string(), "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object.at("name"), "Sample");
    EXPECT_EQ(object.at("website"), "http://www.sample.example/");
    EXPECT_EQ(object.at("url_rules"), "<URL>/go?to=*URL*&amp;</URL>");
    EXPECT_EQ(object.at("next_page_root"), "http://www.sample.example");
    EXPECT_EQ(object.at("search_url"),
              "http://www.sample.example/find?q=_QUERY_&amp;page=*PAGE_NUMBER*");
    EXPECT_EQ(object.at("item_templates"),
              "<li><a href=\"*URL*\">*TITLE*</a><p>*PREVIEW*</p></li>");
    EXPECT_EQ(object.at("next_page_templates"), "<a rel=\"next\" href=\"*URL*\">");

    // What show prints is a source that packs into the same file.
    const auto plain = RunCli({"engine", "show", engine.string()});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, kSource);
}

TEST_F(EngineCliTest, ExtractPrintsItemsThenNextPage) {
    const fs::path engine = dir_ / "sample.qzf";
    ASSERT_EQ(
        RunCli({"engine", "pack", Write("s.engine", kSource).string(), engine.string()}).exitCode,
        0);
    const fs::path page =
        Write("page.html",
              "<ul>\r\n<li><a href=\"/go?to=a.example/1&amp;amp;x=1\">First "
              "<b>one</b></a><p>About &quot;one&quot;</p></li>\n"
              "<li><a href=\"\">No location</a><p>x</p></li>"
              "<li><a href=\"https://b.example/\">Second &amp;amp; more</a><p></p></li>"
              "</ul><a rel=\"next\" href=\"/find?q=x&amp;page=2\">next</a>");
    const auto result =
        RunCli({"extract", "--engine", engine.string(), "--page", page.string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    const auto first = nlohmann::json::parse(lines[0]);
    EXPECT_EQ(first.at("title"), "First one");  // the blank beside the tag stays
    EXPECT_EQ(first.at("location"), "http://a.example/1");
    EXPECT_EQ(first.at("preview"), "About \"one\"");
    const auto second = nlohmann::json::parse(lines[1]);
    EXPECT_EQ(second.at("title"), "Second & more");
    EXPECT_EQ(second.at("location"), "https://b.example/");
    EXPECT_EQ(nlohmann::json::parse(lines[2]),
              nlohmann::json({{"next_page", "http://www.sample.example/find?q=x&page=2"}}));

    const auto table = RunCli({"extract", "--engine", engine.string(), "--page", page.string()});
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_NE(table.out.find("2 items; next page: http://www.sample.example/find?q=x&page=2"),
              std::string::npos)
        << table.out;
}

TEST_F(EngineCliTest, ErrorsGoToStderrWithExitCodeOne) {
    const fs::path good = dir_ / "good.qzf";
    ASSERT_EQ(
        RunCli({"engine", "pack", Write("g.engine", kSource).string(), good.string()}).exitCode, 0);
    std::ofstream(dir_ / "short.qzf", std::ios::binary) << std::string(1599, 'x');
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"engine", "pack", Write("bad.engine", "name=x\nnope=1\n").string(),
          (dir_ / "o.qzf").string()},
         "line 2: expected one of the keys"},
        {{"engine", "pack", Write("nul.engine", std::string("name=x\nwebsite=a\0b\n", 19)).string(),
          (dir_ / "o.qzf").string()},
         "line 2: website holds a NUL byte at byte 2"},
        {{"engine", "pack", (dir_ / "missing.engine").string(), (dir_ / "o.qzf").string()},
         "can't read"},
        {{"engine", "show", (dir_ / "short.qzf").string()}, "is not a readable engine file"},
        {{"extract", "--engine", (dir_ / "short.qzf").string(), "--page", good.string()},
         "is not a readable engine file"},
        {{"extract", "--engine", good.string(), "--page", (dir_ / "none.html").string()},
         "can't read"},
    };
    for (const auto& c : cases) {
        const auto result = RunCli(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
}

}  // namespace
