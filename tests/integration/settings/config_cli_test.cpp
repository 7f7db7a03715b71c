// quexa-cli config get / set / list, run as a separate process.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings_table.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ConfigCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quexa-config-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = dir_ / "Quexa.conf";
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs quexa-cli with the arguments after an optional environment assignment.
    Result Run(const std::vector<std::string>& args, const std::string& environment = {}) const {
        // A child that hangs fails its test instead of holding up the run.
        std::string command =
            "env -u QUEXA_SETTINGS " + environment + " timeout 60 " + Quoted(QUEXA_CLI_PATH);
        for (const auto& arg : args) {
            command += " " + Quoted(arg);
        }
        const fs::path errors = dir_ / "stderr.txt";
        command += " 2>" + Quoted(errors.string());
        Result result;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return result;
        }
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            result.out.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = ReadAll(errors);
        return result;
    }
    Result Config(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--settings", file_.string(), "config"});
        return Run(args);
    }

    fs::path dir_;
    fs::path file_;
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
        const Result get = Config({"get", c.section, c.key});
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
        const Result result = Config(c.args);
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

    const Result table = Config({"list"});
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

    const Result json = Config({"list", "--json"});
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
    const std::string environment = "QUEXA_SETTINGS=" + Quoted(fromEnv.string());
    ASSERT_EQ(Run({"config", "set", "UserData", "LineType", "3"}, environment).exitCode, 0);
    EXPECT_EQ(Run({"config", "get", "UserData", "LineType"}, environment).out, "3\n");
    EXPECT_NE(ReadAll(fromEnv).find("LineType=3"), std::string::npos);
    EXPECT_EQ(
        Run({"--settings", file_.string(), "config", "get", "UserData", "LineType"}, environment)
            .out,
        "0\n");
}

TEST_F(ConfigCliTest, WithoutAFileTheUsersDefaultSettings) {
    const std::string environment = "-u XDG_CONFIG_HOME HOME=" + Quoted(dir_.string());
    ASSERT_EQ(Run({"config", "set", "System\\Setting", "Hangup", "1"}, environment).exitCode, 0);
    EXPECT_EQ(Run({"config", "get", "System\\Setting", "Hangup"}, environment).out, "1\n");
    const std::string stored = ReadAll(dir_ / ".config" / "Morvane" / "Quexa.conf");
    EXPECT_NE(stored.find("Setting\\Hangup=1"), std::string::npos) << stored;
}

TEST_F(ConfigCliTest, AnUnsavableFileIsAnError) {
    std::ofstream(file_) << "not a folder";
    const Result result = Run({"--settings", (file_ / "inner.conf").string(), "config", "set",
                               "UserData", "LineType", "3"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("could not save"), std::string::npos) << result.err;
}

// Reading a FIFO would block and saving would put a regular file in its place: a FIFO or a
// device node made here is refused as settings file, however it is named, and stays as it was.
TEST_F(ConfigCliTest, AFifoOrADeviceNodeIsNeverUsedAsSettings) {
    const auto refused = [this](const fs::path& node, const std::vector<std::string>& args,
                                const std::string& environment, mode_t kind) {
        SCOPED_TRACE(node.string());
        const Result result = Run(args, environment);
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
    refused(fifo, {"config", "get", "UserData", "LineType"}, "QUEXA_SETTINGS=" + Quoted(fifo),
            S_IFIFO);
    const fs::path defaults = dir_ / ".config" / "Morvane" / "Quexa.conf";
    fs::create_directories(defaults.parent_path());
    ASSERT_EQ(::mkfifo(defaults.c_str(), 0666), 0);
    refused(defaults, {"config", "set", "UserData", "LineType", "3"},
            "-u XDG_CONFIG_HOME HOME=" + Quoted(dir_.string()), S_IFIFO);

    const fs::path device = dir_ / "device.conf";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "mknod needs root for a device node: " << std::strerror(errno);
    }
    refused(device, {"config", "set", "UserData", "LineType", "3"},
            "QUEXA_SETTINGS=" + Quoted(device.string()), S_IFCHR);
}

}  // namespace
