// Two quexa-cli processes changing one result file at once: neither loses the other's work, and
// neither reports a success that did not land.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "cli_process.h"
#include "files/result_file.h"
#include "files/result_file_lock.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::Lines;

constexpr int kRounds = 20;
const std::string kBusy(files::ResultFileLock::kBusyMessage.substr(0, 34));

std::set<std::string> Locations(const std::string& prefix) {
    return {"http://" + prefix + "/1", "http://" + prefix + "/2", "http://" + prefix + "/3"};
}

std::string ItemsOf(const std::string& prefix) {
    std::string lines;
    for (const std::string& location : Locations(prefix)) {
        lines += nlohmann::json{{"title", location}, {"location", location}}.dump() + "\n";
    }
    return lines;
}

std::set<std::string> Union(std::set<std::string> one, const std::set<std::string>& other) {
    one.insert(other.begin(), other.end());
    return one;
}

class FileLockCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c"}) {
            const CliResult saved = Run({"save", Path(std::string(name) + "0.qzr")}, ItemsOf(name));
            ASSERT_EQ(saved.exitCode, 0) << saved.err;
        }
    }
    CliResult Run(const std::vector<std::string>& arguments, const std::string& input = {}) const {
        return testing::RunCliAtHome(home.Path(), arguments, input);
    }
    std::future<CliResult> Start(std::vector<std::string> arguments) const {
        return std::async(std::launch::async, [this, arguments] { return Run(arguments); });
    }
    std::string Path(const std::string& name) const { return home.File(name).string(); }
    // The file to change, afresh for each round.
    std::string FreshTarget() const {
        const std::string target = Path("a.qzr");
        fs::copy_file(Path("a0.qzr"), target, fs::copy_options::overwrite_existing);
        return target;
    }
    std::set<std::string> Listed(const std::string& path, const std::string& password = {}) {
        std::vector<std::string> arguments{"show", "--json", path};
        if (!password.empty()) {
            arguments.insert(arguments.end(), {"--password", password});
        }
        const CliResult shown = Run(arguments);
        EXPECT_EQ(shown.exitCode, 0) << shown.err;
        std::set<std::string> locations;
        const std::vector<std::string> lines = Lines(shown.out);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            locations.insert(nlohmann::json::parse(lines[i]).at("location"));
        }
        return locations;
    }
    // What an import that did not land must have said.
    static void ExpectRefused(const CliResult& result) {
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.out.empty()) << result.out;
    }

    quexa::testing::TempFolder home;
};

TEST_F(FileLockCliTest, TwoImportsIntoOneFileAtOnceLoseNothing) {
    int bothLanded = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string target = FreshTarget();
        std::future<CliResult> first = Start({"import", target, Path("b0.qzr")});
        std::future<CliResult> second = Start({"import", target, Path("c0.qzr")});
        std::set<std::string> expected = Locations("a");
        int landed = 0;
        for (auto [result, prefix] : {std::pair{first.get(), "b"}, std::pair{second.get(), "c"}}) {
            if (result.exitCode == 0) {
                EXPECT_EQ(result.out, "Imported 3 items into " + target + "\n");
                expected = Union(expected, Locations(prefix));
                ++landed;
            } else {
                ExpectRefused(result);
                EXPECT_NE(result.err.find(kBusy), std::string::npos) << result.err;
            }
        }
        ASSERT_GE(landed, 1) << "round " << round;
        bothLanded += landed == 2 ? 1 : 0;
        EXPECT_EQ(Listed(target), expected) << "round " << round;
        EXPECT_FALSE(fs::exists(files::ResultFileLock::LockPathFor(target)));
    }
    // The second waits for the first: refusals are for a holder that takes long.
    EXPECT_GT(bothLanded, 0);
}

TEST_F(FileLockCliTest, AnImportRacingAPasswordChangeLosesNeither) {
    for (int round = 0; round < kRounds; ++round) {
        const std::string target = FreshTarget();
        std::future<CliResult> import = Start({"import", target, Path("b0.qzr")});
        std::future<CliResult> passwd = Start({"passwd", target, "--new", "Moss"});
        const CliResult imported = import.get();
        const CliResult changed = passwd.get();

        const std::optional<files::ResultFileHeader> header = files::ReadResultFileHeader(target);
        ASSERT_TRUE(header);
        if (changed.exitCode == 0) {
            EXPECT_NE(changed.err.find("The password is changed!"), std::string::npos);
            EXPECT_TRUE(header->IsProtected()) << "round " << round;
        } else {
            EXPECT_NE(changed.err.find(kBusy), std::string::npos) << changed.err;
            EXPECT_FALSE(header->IsProtected());
        }
        // An import that comes second finds a protected file and gives up without its password.
        std::set<std::string> expected = Locations("a");
        if (imported.exitCode == 0) {
            expected = Union(expected, Locations("b"));
        } else {
            ExpectRefused(imported);
        }
        EXPECT_EQ(Listed(target, header->IsProtected() ? "Moss" : ""), expected)
            << "round " << round << "\n"
            << imported.err << changed.err;
    }
}

}  // namespace
}  // namespace quexa::test
