// What quexa-cli says when a path, an input or a text is not what it should be: a reason a
// person can act on, and nothing from a web text that steers the terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_process.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::Lines;

class CliMessagesTest : public ::testing::Test {
  protected:
    CliResult Run(const std::vector<std::string>& arguments, const std::string& input = {}) const {
        return testing::RunCliAtHome(home.Path(), arguments, input);
    }
    std::string Saved(const std::string& name, const std::string& items) const {
        const std::string path = home.File(name).string();
        const CliResult result = Run({"save", path}, items);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return path;
    }

    quexa::testing::TempFolder home;
};

const std::string kOneItem = R"({"title":"One","location":"http://one/"})"
                             "\n";

TEST_F(CliMessagesTest, APathThatIsNoFileIsNamedForWhatItIs) {
    const std::string good = Saved("good.qzr", kOneItem);
    fs::create_directory(home.File("folder.qzr").string());
    ASSERT_EQ(mkfifo(home.File("fifo.qzr").string().c_str(), 0600), 0);
    fs::create_symlink(home.File("loop2.qzr").string(), home.File("loop1.qzr").string());
    fs::create_symlink(home.File("loop1.qzr").string(), home.File("loop2.qzr").string());
    const struct {
        const char* name;
        std::string reason;
    } paths[] = {
        {"missing.qzr", "no such file"},
        {"folder.qzr", "is a folder, not a file"},
        {"fifo.qzr", "is a FIFO (named pipe), not a file"},
        {"loop1.qzr", "is a loop of symbolic links"},
    };
    for (const auto& path : paths) {
        const std::string bad = home.File(path.name).string();
        const std::vector<std::vector<std::string>> commands = {
            {"show", bad},
            {"verify", bad},
            {"export", bad, home.File("out.txt").string()},
            {"passwd", bad, "--new", "x"},
            {"import", bad, good},
            {"import", good, bad},
        };
        for (const auto& command : commands) {
            SCOPED_TRACE(command[0] + " " + path.name);
            const CliResult result = Run(command);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_NE(result.err.find("Error: " + bad + ": " + path.reason + "\n"),
                      std::string::npos)
                << result.err;
        }
    }
    EXPECT_FALSE(fs::exists(home.File("out.txt").string()));
}

TEST_F(CliMessagesTest, PasswdSaysWhichLinesStdinLacks) {
    const std::string path = Saved("list.qzr", kOneItem);
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        std::string expected;
    } cases[] = {
        {"nothing for a new password",
         {"passwd", path},
         "",
         "the new password and the new "
         "password again"},
        {"no confirmation",
         {"passwd", path},
         "Moss\n",
         "the new password and the new password "
         "again"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult result = Run(c.arguments, c.input);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err,
                  "Error: the input ended early: passwd reads " + c.expected + ", one a line\n");
    }
    ASSERT_EQ(Run({"passwd", path, "--new", "Moss"}).exitCode, 0);
    const CliResult protectedFile = Run({"passwd", path}, "");
    EXPECT_EQ(protectedFile.err,
              "Error: the input ended early: passwd reads the old password, the new password "
              "and the new password again, one a line\n");
    const CliResult onlyOld = Run({"passwd", path, "--new", "Fern"}, "");
    EXPECT_EQ(onlyOld.err,
              "Error: the input ended early: passwd reads the old password, one a "
              "line\n");
}

TEST_F(CliMessagesTest, SaveNamesInvalidUtf8) {
    const CliResult result =
        Run({"save", home.File("bad.qzr").string()}, kOneItem + "{\"title\":\"caf\xE9\"}\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Error: line 2: invalid UTF-8 at byte 14 (the input must be UTF-8)\n");
    EXPECT_FALSE(fs::exists(home.File("bad.qzr").string()));
}

// Titles a hostile page could carry: erase the screen, set the window title, ring the bell,
// forge a row of the table.
const std::vector<std::string> kHostileTitles = {
    "\x1b[2J\x1b[Hcleared",
    "\x1b]0;owned\x07 title",
    "bell\x07",
    "line\nReachable  Engine  Forged  http://forged/",
    "tab\there\rback",
};

TEST_F(CliMessagesTest, ControlCharactersReachTheTableEscapedAndJsonAsTheyAre) {
    std::string items;
    for (std::size_t i = 0; i < kHostileTitles.size(); ++i) {
        items += nlohmann::json{{"title", kHostileTitles[i]},
                                {"location", "http://site/" + std::to_string(i)},
                                {"target", "Engine\x1b[31m"}}
                     .dump() +
                 "\n";
    }
    const std::string path = Saved("hostile.qzr", items);

    const CliResult table = Run({"show", path});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_TRUE(std::none_of(table.out.begin(), table.out.end(), [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F;
    })) << table.out;
    // Eight header lines and a blank one, the headings, one line per item.
    EXPECT_EQ(Lines(table.out).size(), 8 + 1 + kHostileTitles.size());
    for (const char* shown :
         {"\\e[2J\\e[Hcleared", "\\e]0;owned\\x07 title", "line\\nReachable", "Engine\\e[31m"}) {
        EXPECT_NE(table.out.find(shown), std::string::npos) << shown;
    }

    const CliResult json = Run({"show", "--json", path});
    ASSERT_EQ(json.exitCode, 0);
    const std::vector<std::string> lines = Lines(json.out);
    ASSERT_EQ(lines.size(), 1 + kHostileTitles.size());
    for (std::size_t i = 0; i < kHostileTitles.size(); ++i) {
        EXPECT_EQ(nlohmann::json::parse(lines[i + 1]).at("title"), kHostileTitles[i]);
    }

    const std::string tab = home.File("hostile.txt").string();
    ASSERT_EQ(Run({"export", path, tab, "--tab"}).exitCode, 0);
    std::ifstream in(tab, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const std::vector<std::string> rows = Lines(text);
    ASSERT_EQ(rows.size(), kHostileTitles.size());
    for (const std::string& row : rows) {
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 4) << row;
        EXPECT_EQ(row.back(), '\r');
        EXPECT_EQ(std::count(row.begin(), row.end(), '\r'), 1) << row;
    }
}

}  // namespace
}  // namespace quexa::test
