// quexa-cli export and import: the files they write from result files made here, their
// settings and their failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/result_list.h"
#include "files/link_list.h"
#include "files/result_file.h"
#include "temp_dir.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using core::ResultItem;
using core::StatusCode;
using testing::CliResult;
using testing::RunCli;

// Answers every question with No.
class NoPrompter : public core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons) override { return Answer::No; }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
};

ResultItem Item(std::string title, std::string location, StatusCode status = StatusCode::Normal) {
    ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = "Wiki";
    item.preview = "p";
    item.status = status;
    return item;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

constexpr const char* kExportFailed = "Error: Operator failed!\nAn unknown error occupy!\n";

class ExportCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Save("list.qzr",
             {Item("Alpha <b>bold</b>", "http://a.example/?x=1&y=2"),
              Item("Beta<script>alert(1)</script>", "javascript:alert(1)", StatusCode::Unreachable),
              Item("Gamma", "/srv/g.txt", StatusCode::Reachable)});
    }

    void Save(const std::string& name, const std::vector<ResultItem>& items,
              const std::string& password = {}) {
        core::ResultList list;
        for (const ResultItem& item : items) {
            list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), item);
        }
        files::ResultFileHeader header;
        header.mode = files::ResultFileHeader::kInternetMode;
        header.keywords = "brindle moss";
        if (!password.empty()) {
            header.SetPassword(password);
        }
        NoPrompter prompter;
        ASSERT_TRUE(files::WriteResultFile(home.path() / name, list, header));
    }

    CliResult Cli(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--home", home.path().string(), "--settings",
                                             (home.path() / "settings.conf").string()});
        return RunCli(arguments);
    }

    void Set(const std::string& section, const std::string& key, const std::string& value) {
        ASSERT_EQ(Cli({"config", "set", section, key, value}).exitCode, 0);
    }

    std::vector<std::string> Titles(const std::string& name) const {
        core::ResultList list;
        NoPrompter prompter;
        files::LoadOptions options;
        options.skipListed = false;
        EXPECT_TRUE(files::LoadResultFile(home.path() / name, list, options).Loaded());
        std::vector<std::string> titles;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            titles.push_back(list.Item(row).title);
        }
        return titles;
    }

    TempDir home;
};

TEST_F(ExportCliTest, TheExtensionPicksTheFormat) {
    WriteAll(home.path() / "Categories" / "html.htm",
             "<p><!-KEY-></p>\r\n<!--ITEM--><a href=\"<!--URL-->\"><!--TITLE--></a>\n"
             "<!--/ITEM-->\n<end>\n");
    const struct {
        const char* out;
        std::vector<std::string> options;
        std::string expected;
    } cases[] = {
        {"page.HTML",
         {},
         "<p>brindle moss</p><a href=\"http://a.example/?x=1&amp;y=2\">Alpha <b>bold</b></a>"
         "<a href=\"\">Beta</a><a href=\"/srv/g.txt\">Gamma</a><end>"},
        {"page.htm",
         {"--rule"},
         "<p>brindle moss</p><a href=\"http://a.example/?x=1&amp;y=2\">Alpha <b>bold</b></a>"
         "<a href=\"/srv/g.txt\">Gamma</a><end>"},
        {"list.txt",
         {"--rule"},
         "Title: Alpha <b>bold</b>\r\nLocation: http://a.example/?x=1&y=2\r\nSearch Target: "
         "Wiki\r\nPreview: p\r\nTitle: Gamma\r\nLocation: /srv/g.txt\r\nSearch Target: "
         "Wiki\r\nPreview: p\r\n"},
        {"tab.csv",
         {"--tab"},
         "Alpha <b>bold</b>\thttp://a.example/?x=1&y=2\tWiki\tp\t\r\n"
         "Beta<script>alert(1)</script>\tjavascript:alert(1)\tWiki\tp\t\r\n"
         "Gamma\t/srv/g.txt\tWiki\tp\t\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        std::vector<std::string> arguments = {"export", (home.path() / "list.qzr").string(),
                                              (home.path() / c.out).string()};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliResult result = Cli(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(ReadAll(home.path() / c.out), c.expected);
    }
}

TEST_F(ExportCliTest, ResultFilesAndLinkListsKeepTheirFixedFields) {
    Set("System\\Export", "Title", "0");
    ASSERT_EQ(Cli({"export", home.File("list.qzr"), home.File("copy.qzr"), "--rule"}).exitCode, 0);
    EXPECT_EQ(Titles("copy.qzr"), (std::vector<std::string>{"Alpha <b>bold</b>", "Gamma"}));
    ASSERT_EQ(Cli({"export", home.File("list.qzr"), home.File("links.qzs"), "--rule"}).exitCode, 0);
    const auto links = files::LinkList::Read(home.path() / "links.qzs");
    ASSERT_TRUE(links && links->size() == 3);
    EXPECT_EQ((*links)[0].title, "Alpha <b>bold</b>");
    EXPECT_FALSE((*links)[1].inUse);
    EXPECT_EQ((*links)[2].location, "/srv/g.txt");
}

TEST_F(ExportCliTest, SettingsChooseFieldsLabelsAndTheRule) {
    Set("System\\Export", "URL", "0");
    Set("System\\Export", "Engine", "0");
    Set("System\\Export", "sTitle", "* ");
    Set("System\\Export", "sPreview", "  ");
    Set("System\\Export", "Error", "1");
    ASSERT_EQ(Cli({"export", home.File("list.qzr"), home.File("out.txt"), "--rule"}).exitCode, 0);
    EXPECT_EQ(ReadAll(home.path() / "out.txt"),
              "* Alpha <b>bold</b>\r\n  p\r\n* Beta<script>alert(1)</script>\r\n  p\r\n"
              "* Gamma\r\n  p\r\n");
}

TEST_F(ExportCliTest, FailuresGoToStderrWithExitCodeOne) {
    WriteAll(home.path() / "Categories" / "html.htm", "<!--ITEM--><!--TITLE-->\n");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {"unknown extension",
         {"export", home.File("list.qzr"), home.File("out.doc")},
         kExportFailed},
        {"no extension", {"export", home.File("list.qzr"), home.File("out")}, kExportFailed},
        {"template without end marker",
         {"export", home.File("list.qzr"), home.File("out.htm")},
         kExportFailed},
        {"missing folder",
         {"export", home.File("list.qzr"), home.File("none/out.txt"), "--tab"},
         kExportFailed},
        {"missing result file",
         {"export", home.File("none.qzr"), home.File("out.txt")},
         "Error: Operator file failed!\nperhaps the file attribute\nis read only!\n"
         "Error: can't load " +
             home.File("none.qzr") + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult result = Cli(c.arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, c.err);
        EXPECT_FALSE(fs::exists(c.arguments.back()));
    }
}

TEST_F(ExportCliTest, ImportAddsTheLocationsNotListedAndSavesIntoTheFirstFile) {
    Save("more.qzr", {Item("Alpha again", "HTTP://A.EXAMPLE/?x=1&y=2"), Item("Delta", "http://d/"),
                      Item("Gamma again", "/srv/g.txt")});
    const struct {
        const char* importAde;
        std::vector<std::string> titles;
        const char* out;
    } cases[] = {
        {"1",
         {"Alpha <b>bold</b>", "Beta<script>alert(1)</script>", "Gamma", "Delta"},
         "Imported 1 items into "},
        {"0",
         {"Alpha <b>bold</b>", "Beta<script>alert(1)</script>", "Gamma", "Alpha again", "Delta",
          "Gamma again"},
         "Imported 3 items into "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.importAde);
        SetUp();
        Set("System\\ResultList", "ImportADE", c.importAde);
        const CliResult result = Cli({"import", home.File("list.qzr"), home.File("more.qzr")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out + home.File("list.qzr") + "\n");
        EXPECT_EQ(Titles("list.qzr"), c.titles);
        EXPECT_EQ(Titles("more.qzr").size(), 3u);
    }
}

TEST_F(ExportCliTest, ImportOfAProtectedFileNeedsItsPassword) {
    Save("locked.qzr", {Item("Secret", "http://s/")}, "Brindle");
    const CliResult refused =
        Cli({"import", home.File("list.qzr"), home.File("locked.qzr"), "--from-password", "wrong"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Error: Password unvaild\ntry again ? [Cancel]"), std::string::npos);
    EXPECT_EQ(Titles("list.qzr").size(), 3u);
    const CliResult accepted = Cli(
        {"import", home.File("list.qzr"), home.File("locked.qzr"), "--from-password", "Brindle"});
    ASSERT_EQ(accepted.exitCode, 0) << accepted.err;
    EXPECT_EQ(Titles("list.qzr").back(), "Secret");
}

}  // namespace
}  // namespace quexa::test
