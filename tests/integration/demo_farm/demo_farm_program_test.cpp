// quexa-demo-farm run as a process, as ./run.sh demo and the benchmark scripts run it.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "engines/engine_loader.h"
#include "web/http_session.h"

extern char** environ;

namespace quexa::demo {
namespace {

// The program with its stdout on a pipe; killed on destruction if still running.
class FarmProcess {
  public:
    explicit FarmProcess(std::vector<std::string> arguments) {
        int fds[2];
        if (pipe(fds) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        arguments.insert(arguments.begin(), QUEXA_DEMO_FARM_PATH);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, QUEXA_DEMO_FARM_PATH, &actions, nullptr, argv.data(), environ) !=
            0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out_ = fds[0];
    }
    ~FarmProcess() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) {
            close(out_);
        }
    }
    FarmProcess(const FarmProcess&) = delete;
    FarmProcess& operator=(const FarmProcess&) = delete;

    // The first line it prints; empty when it ends first.
    std::string FirstLine() {
        std::string line;
        char c = 0;
        while (read(out_, &c, 1) == 1 && c != '\n') {
            line.push_back(c);
        }
        return line;
    }

    // Sends the signal and waits; the exit code, or 128 + the signal that ended it.
    int Signal(int signal) {
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
};

TEST(DemoFarmProgramTest, PrintsItsAddressWritesTheHomeAndStopsOnSignals) {
    std::string pattern = std::filesystem::temp_directory_path() / "demo-farm-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path home = pattern;
    for (const int signal : {SIGTERM, SIGINT}) {
        FarmProcess farm({"--port", "0", "--home", home.string()});
        const std::string address = farm.FirstLine();
        std::smatch match;
        ASSERT_TRUE(std::regex_match(address, match, std::regex(R"(http://127\.0\.0\.1:(\d+))")))
            << address;
        web::HttpSession session(web::HttpSettings{});
        const auto page = session.FetchPage(address + "/engine/numbered/search?q=x&page=1");
        ASSERT_TRUE(page) << session.LastErrorText();
        EXPECT_NE(page->find("Result 2 of Demo Numbered"), std::string_view::npos);
        const auto files = engines::ListEngineFiles(engines::EngineFolder(home.string(), "Demo"));
        EXPECT_FALSE(files.empty());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(farm.Signal(signal), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
    std::filesystem::remove_all(home);
}

TEST(DemoFarmProgramTest, ABusyPortIsAnError) {
    FarmProcess first({"--port", "0"});
    const std::string address = first.FirstLine();
    const std::string port = address.substr(address.rfind(':') + 1);
    ASSERT_FALSE(port.empty());
    FarmProcess second({"--port", port});
    EXPECT_EQ(second.FirstLine(), "");  // it ends without an address
    EXPECT_EQ(first.Signal(SIGTERM), 0);
}

}  // namespace
}  // namespace quexa::demo
