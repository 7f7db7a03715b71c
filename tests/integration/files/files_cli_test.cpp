// quexa-cli show, save and passwd: what they print, write and refuse.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/result_list.h"
#include "files/result_file.h"
#include "temp_dir.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::Lines;
using Json = nlohmann::json;

const std::string kItems =
    R"({"title":"One","location":"http://one/","target":"Engine","preview":"First","status":"Reachable","visit":"Visited","selected":true})"
    "\n\n"
    R"({"title":"Two","location":"/srv/two.txt","target":"Local Computer","preview":"","status":"Unknown","visit":"Without Visit","selected":false})"
    "\n";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class SilentPrompter : public core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons) override { return Answer::No; }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
};

class FilesCliTest : public ::testing::Test {
  protected:
    CliResult Run(std::vector<std::string> arguments, const std::string& input = {}) const {
        arguments.insert(arguments.begin(), {"--home", home.path().string(), "--settings",
                                             home.File("settings.conf")});
        return testing::RunCli(arguments, input);
    }
    std::string Saved(const std::string& name, const std::string& items = kItems) const {
        const std::string path = home.File(name);
        const CliResult result = Run({"save", path}, items);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return path;
    }
    // A file of this many records written straight through the file layer.
    std::string Written(const std::string& name, std::size_t count) const {
        core::ResultList list;
        for (std::size_t i = 0; i < count; ++i) {
            core::ResultItem item;
            item.title = "Item " + std::to_string(i);
            item.location = "http://host/" + std::to_string(i);
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
        }
        SilentPrompter prompter;
        files::ResultFileHeader header;
        header.mode = 'B';
        header.keywords = "*.txt";
        EXPECT_TRUE(files::WriteResultFile(home.File(name), list, header));
        return home.File(name);
    }

    TempDir home;
};

TEST_F(FilesCliTest, SavedItemsShowAgainBehindTheirHeader) {
    const std::string path = Saved("list.qzr");
    const CliResult result = Run({"show", "--json", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 3U);
    const nlohmann::ordered_json header = nlohmann::ordered_json::parse(lines[0]);
    std::vector<std::string> keys;
    for (const auto& [key, value] : header.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"mode", "keywords", "target", "note", "author",
                                              "count", "protected"}));
    EXPECT_EQ(header["mode"], "C");
    EXPECT_EQ(header["count"], 2);
    EXPECT_EQ(header["protected"], false);
    const std::vector<std::string> input = Lines(kItems);
    EXPECT_EQ(Json::parse(lines[1]), Json::parse(input[0]));
    EXPECT_EQ(Json::parse(lines[2]), Json::parse(input[2]));
    EXPECT_TRUE(result.err.empty()) << result.err;

    const CliResult table = Run({"show", path});
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_NE(table.out.find("mode: C\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("count: 2\n"), std::string::npos);
    EXPECT_NE(table.out.find("Reachable"), std::string::npos);
}

TEST_F(FilesCliTest, BadInputIsRefusedAndWritesNothing) {
    const struct {
        std::string input;
        std::string error;
    } cases[] = {
        {"not json\n", "Error: line 1: not a JSON object"},
        {"{}\n[1,2]\n", "Error: line 2: not a JSON object"},
        {R"({"title":5})", R"(Error: line 1: "title" must be a text)"},
        {R"({"status":"Fine"})", R"(Error: line 1: "status" must be one of "Reachable")"},
        {R"({"visit":9})", R"(Error: line 1: "visit" must be one of "Without Visit", "Visited")"},
        {R"({"selected":"yes"})", R"(Error: line 1: "selected" must be true or false)"},
    };
    for (const auto& c : cases) {
        const CliResult result = Run({"save", home.File("bad.qzr")}, c.input);
        EXPECT_EQ(result.exitCode, 1) << c.input;
        EXPECT_EQ(result.err.rfind(c.error, 0), 0U) << result.err;
        EXPECT_FALSE(fs::exists(home.File("bad.qzr")));
    }
}

TEST_F(FilesCliTest, AnExistingFileIsReplacedOnlyWhenForced) {
    const std::string path = Saved("list.qzr");
    const std::string before = ReadAll(path);
    const CliResult refused = Run({"save", path}, "{}\n");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Warning: The file is existed\n\ndo you want overlay it? [No]\n");
    EXPECT_EQ(ReadAll(path), before);

    const CliResult forced = Run({"save", "--force", path}, "{}\n");
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(ReadAll(path).size(), files::kHeaderSize + files::kRecordSize);

    const CliResult nowhere = Run({"save", home.File("none/list.qzr")}, "{}\n");
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_EQ(nowhere.err,
              "Error: Create file failed!\nPlease check your power of disk \nspace!\n");
}

TEST_F(FilesCliTest, DamagedFilesGiveTheirMessages) {
    const std::string good = ReadAll(Saved("good.qzr"));
    std::string wrongMagic = good;
    wrongMagic[0] = 'Z';
    std::string newer = good;
    newer[400] = 'D';
    std::string allBits = good;
    allBits.replace(425, 4, "\xFF\xFF\xFF\xFF");
    const std::string cannotOpen = "Note: Canno't open Quexa result file!\n";
    const struct {
        const char* name;
        std::string bytes;
        int exitCode;
        std::size_t items;
        std::string err;
    } cases[] = {
        {"wrong magic", wrongMagic, 1, 0, "Note: Unvaild Quexa result file!\n" + cannotOpen},
        {"newer", newer, 1, 0,
         "Note: This is higher version Quexa file,\nplease update Quexa, then try it !\n" +
             cannotOpen},
        {"short header", good.substr(0, 400), 1, 0,
         "Error: Operator file failed!\nperhaps the file attribute\nis read only!\n"},
        {"truncated record", good.substr(0, files::kHeaderSize + files::kRecordSize + 10), 0, 1,
         ""},
        {"count of all bits", allBits, 0, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(home.File("damaged.qzr"), c.bytes);
        const CliResult result = Run({"show", "--json", home.File("damaged.qzr")});
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(Lines(result.out).size(), c.exitCode == 0 ? 1 + c.items : 0U);
    }
    const CliResult missing = Run({"show", home.File("missing.qzr")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err,
              "Error: Operator file failed!\nperhaps the file attribute\nis read only!\n");
}

TEST_F(FilesCliTest, PasswordsAreSetAskedChangedAndRemoved) {
    const std::string path = Saved("list.qzr");
    const std::string refused = "Error: Password unvaild\ntry again ? [Cancel]\n";
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        int exitCode;
        std::string err;
    } steps[] = {
        {"set", {"passwd", path, "--new", "Secret"}, "", 0, "Note: The password is changed!\n"},
        {"show without",
         {"show", path},
         "",
         1,
         "Note: the file is protected by a password: give it with --password\n"},
        {"show with a wrong one", {"show", path, "--password", "secret"}, "", 1, refused},
        {"show with it", {"show", path, "--password", "Secret"}, "", 0, ""},
        {"change with a wrong old one",
         {"passwd", path, "--old", "x", "--new", "y"},
         "",
         1,
         refused},
        {"typed twice differently",
         {"passwd", path},
         "Secret\nnew\nNew\n",
         1,
         "Error: Two password not match!\n"},
        {"typed", {"passwd", path}, "Secret\nnew\nnew\n", 0, "Note: The password is changed!\n"},
        {"the old one no longer", {"show", path, "--password", "Secret"}, "", 1, refused},
        {"removed", {"passwd", path, "--old", "new", "--new", ""}, "", 0, ""},
        {"open again", {"show", path}, "", 0, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        const CliResult result = Run(step.arguments, step.input);
        EXPECT_EQ(result.exitCode, step.exitCode);
        EXPECT_EQ(result.err, step.err);
    }
    // Only the header changed: the items are those saved.
    EXPECT_EQ(ReadAll(path).substr(files::kHeaderSize),
              ReadAll(Saved("again.qzr")).substr(files::kHeaderSize));
}

TEST_F(FilesCliTest, PasswdRefusesWhatIsNoResultFile) {
    const std::string path = home.File("notes.qzr");
    const std::string text(600, 'n');
    WriteAll(path, text);
    const CliResult result = Run({"passwd", path, "--new", "x"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Note: Unvaild Quexa result file!\n");
    EXPECT_EQ(ReadAll(path), text);
}

// stderr on a terminal: a long load shows the wait window as a progress line.
TEST_F(FilesCliTest, ALongLoadShowsItsProgressOnATerminal) {
    const std::string path = Written("big.qzr", 100000);
    std::vector<std::string> argv{
        QUEXA_CLI_PATH, "--home", home.path().string(), "--settings", home.File("settings.conf"),
        "show",         path};
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
    std::string seen;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(terminal, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        seen.append(buffer, static_cast<std::size_t>(n));
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(seen.find("Loading , please stand by ... ... ("), std::string::npos) << seen;
    EXPECT_NE(seen.find("/100000)"), std::string::npos);
    // The line is erased at the end.
    EXPECT_NE(seen.rfind("\r\033[K"), std::string::npos);
}

}  // namespace
}  // namespace quexa::test
