// quexa-cli config get / set / list, run as a separate process.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/settings_table.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using quexa::testing::CliOptions;
using quexa::testing::CliResult;
using quexa::testing::Lines;
using quexa::testing::ReadAll;

// How a run changes the test's environment: entries added, names taken out.
struct Environment {
    std::vector<std::string> set;
    std::vector<std::string> unset;
};

class ConfigCliTest : public ::testing::Test {
  protected:
    // Runs quexa-cli; QUEXA_SETTINGS of the test's own environment never reaches it.
    CliResult Run(const std::vector<std::string>& args, Environment environment = {}) const {
        CliOptions options;
        options.environment = std::move(environment.set);
        options.unset = std::move(environment.unset);
        options.unset.push_back("QUEXA_SETTINGS");
        options.timeout = std::chrono::seconds(60);
        CliResult result = quexa::testing::RunCli(args, options);
        EXPECT_FALSE(result.timedOut) << "quexa-cli hung: " << args.back();
        return result;
    }
    CliResult Config(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--settings", file_.string(), "config"});
        return Run(args);
    }
    // A home of the test's own for the user's default settings file.
    Environment AtHome() const { return {{"HOME=" + dir_.string()}, {"XDG_CONFIG_HOME"}}; }

    quexa::testing::TempFolder folder_;
    fs::path dir_ = folder_.Path();
    fs::path file_ = dir_ / "Quexa.conf";
};

TEST_F(ConfigCliTest, SetThenGetThroughNestedSections) {
    ASSERT_EQ(Config({"set", "System\\Proxy", "Server", "proxy.example"}).exitCode, 0);
    ASSERT_EQ(Config({"set", "UserData", "STimeout", "120"}).exitCode, 0);
    ASSERT_EQ(Config({"set", "System\\Export", "sTitle", " T: "}).exitCode, 0);

    struct Case {
        const char* section;
        const char* key;
        const char* printed;
    };
    const Case cases[] = {
        {"System\\Proxy", "Server", "proxy.example\n"},
        {"system/proxy", "SERVER", "proxy.example\n"},
        {"UserData", "STimeout", "120\n"},
        {"UserData", "CTimeout", "45\n"},
        {"System\\Export", "sTitle", " T: \n"},
        {"System\\Export", "sURL", "Location: \n"},
    };
    for (const auto& c : cases) {
        const CliResult get = Config({"get", c.section, c.key});
        EXPECT_EQ(get.exitCode, 0) << get.err;
        EXPECT_EQ(get.out, c.printed) << c.section << " / " << c.key;
    }
    const std::string stored = ReadAll(file_);
    EXPECT_NE(stored.find("[System]"), std::string::npos) << stored;
    EXPECT_NE(stored.find("Proxy\\Server=proxy.example"), std::string::npos) << stored;
}

TEST_F(ConfigCliTest, RefusedValuesChangeNothing) {
    ASSERT_EQ(Config({"set", "UserData", "STimeout", "60"}).exitCode, 0);
    const std::string before = ReadAll(file_);
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"set", "UserData", "STimeout", "soon"}, "takes a whole number"},
        {{"set", "UserData", "STimeout", "301"}, "between 15 and 300"},
        {{"set", "UserData", "LineType", "6"}, "between 0 and 5"},
        {{"set", "System\\Proxy", "Port", "80a"}, "digits"},
        {{"set", "System\\Setting", "AuthorInfo", "twenty-one characters"}, "20 characters"},
        {{"set", "System\\Setting", "WebBrowser", (dir_ / "no-browser").string()},
         "The special browser isn't existed!"},
        {{"set", "UserData", "Timeout", "60"}, "unknown setting"},
        {{"set", "Nowhere", "STimeout", "60"}, "unknown setting"},
        {{"get", "Key.History.Internet", "Key01"}, "unknown setting"},
    };
    for (const auto& c : cases) {
        const CliResult result = Config(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.args[2];
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(ReadAll(file_), before);
}

TEST_F(ConfigCliTest, ListShowsEveryKeyWithValueAndDefault) {
    ASSERT_EQ(Config({"set", "Key.History.Internet", "Key2", "news"}).exitCode, 0);
    ASSERT_EQ(Config({"set", "UserData\\Scheme", "Global.LastScheme", "/s/a.scm"}).exitCode, 0);
    ASSERT_EQ(Config({"set", "System\\Proxy", "Port", "3128"}).exitCode, 0);

    const CliResult table = Config({"list"});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    const auto lines = Lines(table.out);
    ASSERT_EQ(lines.size(), 1 + quexa::core::SettingsTable::All().size());
    const std::size_t valueColumn = lines[0].find("VALUE");
    for (const auto& line : lines) {
        EXPECT_EQ(line.find("  ", valueColumn - 2), valueColumn - 2) << "aligned: " << line;
    }
    const auto has = [&](const std::string& text) {
        return table.out.find(text) != std::string::npos;
    };
    EXPECT_TRUE(has("Key.History.Internet")) << table.out;
    EXPECT_TRUE(has("Key2 ")) << "a stored member instead of the pattern";
    EXPECT_TRUE(has("Key%d")) << "the Intranet history has no member yet";
    EXPECT_TRUE(has("Global.LastScheme"));
    EXPECT_TRUE(has("\"Search Target: \""));

    const CliResult json = Config({"list", "--json"});
    ASSERT_EQ(json.exitCode, 0);
    bool sawPort = false;
    for (const auto& line : Lines(json.out)) {
        const auto row = nlohmann::json::parse(line);
        ASSERT_TRUE(row.contains("default")) << line;
        if (row["key"] == "Port") {
            EXPECT_EQ(row["value"], "3128");
            EXPECT_EQ(row["default"], "");
            sawPort = true;
        }
        if (row["key"] == "STimeout") {
            EXPECT_EQ(row["value"], 45);
            EXPECT_EQ(row["type"], "int");
        }
    }
    EXPECT_TRUE(sawPort);
}

TEST_F(ConfigCliTest, SettingsFileFromTheEnvironmentUnlessGiven) {
    const fs::path fromEnv = dir_ / "env.conf";
    const Environment environment{{"QUEXA_SETTINGS=" + fromEnv.string()}, {}};
    ASSERT_EQ(Run({"config", "set", "UserData", "LineType", "3"}, environment).exitCode, 0);
    EXPECT_EQ(Run({"config", "get", "UserData", "LineType"}, environment).out, "3\n");
    EXPECT_NE(ReadAll(fromEnv).find("LineType=3"), std::string::npos);
    EXPECT_EQ(
        Run({"--settings", file_.string(), "config", "get", "UserData", "LineType"}, environment)
            .out,
        "0\n");
}

TEST_F(ConfigCliTest, WithoutAFileTheUsersDefaultSettings) {
    const Environment environment = AtHome();
    ASSERT_EQ(Run({"config", "set", "System\\Setting", "Hangup", "1"}, environment).exitCode, 0);
    EXPECT_EQ(Run({"config", "get", "System\\Setting", "Hangup"}, environment).out, "1\n");
    const std::string stored = ReadAll(dir_ / ".config" / "Morvane" / "Quexa.conf");
    EXPECT_NE(stored.find("Setting\\Hangup=1"), std::string::npos) << stored;
}

TEST_F(ConfigCliTest, AnUnsavableFileIsAnError) {
    std::ofstream(file_) << "not a folder";
    const CliResult result = Run({"--settings", (file_ / "inner.conf").string(), "config", "set",
                                  "UserData", "LineType", "3"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("could not save"), std::string::npos) << result.err;
}

// Reading a FIFO would block and saving would put a regular file in its place: a FIFO or a
// device node made here is refused as settings file, however it is named, and stays as it was.
TEST_F(ConfigCliTest, AFifoOrADeviceNodeIsNeverUsedAsSettings) {
    const auto refused = [this](const fs::path& node, const std::vector<std::string>& args,
                                const Environment& environment, mode_t kind) {
        SCOPED_TRACE(node.string());
        const CliResult result = Run(args, environment);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find("Error: The settings file " + node.string() + " is a"),
                  std::string::npos)
            << result.err;
        EXPECT_NE(result.err.find("not a regular file"), std::string::npos) << result.err;
        struct stat info {};
        ASSERT_EQ(::lstat(node.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, kind);
    };
    const fs::path fifo = dir_ / "fifo.conf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    refused(fifo, {"--settings", fifo.string(), "config", "set", "UserData", "LineType", "3"}, {},
            S_IFIFO);
    refused(fifo, {"config", "get", "UserData", "LineType"},
            {{"QUEXA_SETTINGS=" + fifo.string()}, {}}, S_IFIFO);
    const fs::path defaults = dir_ / ".config" / "Morvane" / "Quexa.conf";
    fs::create_directories(defaults.parent_path());
    ASSERT_EQ(::mkfifo(defaults.c_str(), 0666), 0);
    refused(defaults, {"config", "set", "UserData", "LineType", "3"}, AtHome(), S_IFIFO);

    const fs::path device = dir_ / "device.conf";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "mknod needs root for a device node: " << std::strerror(errno);
    }
    refused(device, {"config", "set", "UserData", "LineType", "3"},
            {{"QUEXA_SETTINGS=" + device.string()}, {}}, S_IFCHR);
}

}  // namespace
