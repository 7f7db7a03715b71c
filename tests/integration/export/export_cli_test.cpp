// quexa-cli export and import: the files they write from result files made here, their
// settings and their failures.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/result_list.h"
#include "files/link_list.h"
#include "files/result_file.h"
#include "null_prompter.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using core::ResultItem;
using core::StatusCode;
using testing::CliResult;
using testing::RunCli;

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
        ASSERT_TRUE(files::WriteResultFile(home.Path() / name, list, header));
    }

    CliResult Cli(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--home", home.Path().string(), "--settings",
                                             (home.Path() / "settings.conf").string()});
        return RunCli(arguments);
    }

    void Set(const std::string& section, const std::string& key, const std::string& value) {
        ASSERT_EQ(Cli({"config", "set", section, key, value}).exitCode, 0);
    }

    std::vector<std::string> Titles(const std::string& name) const {
        core::ResultList list;
        files::LoadOptions options;
        options.skipListed = false;
        EXPECT_TRUE(files::LoadResultFile(home.Path() / name, list, options).Loaded());
        std::vector<std::string> titles;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            titles.push_back(list.Item(row).title);
        }
        return titles;
    }

    quexa::testing::TempFolder home;
};

TEST_F(ExportCliTest, TheExtensionPicksTheFormat) {
    WriteAll(home.Path() / "Categories" / "html.htm",
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
        std::vector<std::string> arguments = {"export", (home.Path() / "list.qzr").string(),
                                              (home.Path() / c.out).string()};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliResult result = Cli(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(ReadAll(home.Path() / c.out), c.expected);
    }
}

TEST_F(ExportCliTest, ResultFilesAndLinkListsKeepTheirFixedFields) {
    Set("System\\Export", "Title", "0");
    ASSERT_EQ(
        Cli({"export", home.File("list.qzr").string(), home.File("copy.qzr").string(), "--rule"})
            .exitCode,
        0);
    EXPECT_EQ(Titles("copy.qzr"), (std::vector<std::string>{"Alpha <b>bold</b>", "Gamma"}));
    ASSERT_EQ(
        Cli({"export", home.File("list.qzr").string(), home.File("links.qzs").string(), "--rule"})
            .exitCode,
        0);
    const auto links = files::LinkList::Read(home.Path() / "links.qzs");
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
    ASSERT_EQ(
        Cli({"export", home.File("list.qzr").string(), home.File("out.txt").string(), "--rule"})
            .exitCode,
        0);
    EXPECT_EQ(ReadAll(home.Path() / "out.txt"),
              "* Alpha <b>bold</b>\r\n  p\r\n* Beta<script>alert(1)</script>\r\n  p\r\n"
              "* Gamma\r\n  p\r\n");
}

TEST_F(ExportCliTest, FailuresGoToStderrWithExitCodeOne) {
    const std::string kKnownExtensions =
        ": unknown extension; known are .htm, .html, .txt, .qzr and .qzs (--tab writes "
        "TAB-separated text whatever the extension)\n";
    WriteAll(home.Path() / "Categories" / "html.htm", "<!--ITEM--><!--TITLE-->\n");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {"unknown extension",
         {"export", home.File("list.qzr").string(), home.File("out.doc").string()},
         std::string(kExportFailed) + "Error: " + home.File("out.doc").string() + kKnownExtensions},
        {"no extension",
         {"export", home.File("list.qzr").string(), home.File("out").string()},
         std::string(kExportFailed) + "Error: " + home.File("out").string() + kKnownExtensions},
        {"template without end marker",
         {"export", home.File("list.qzr").string(), home.File("out.htm").string()},
         kExportFailed},
        {"missing folder",
         {"export", home.File("list.qzr").string(), home.File("none/out.txt").string(), "--tab"},
         std::string(kExportFailed) + "Error: " + home.File("none/out.txt").string() +
             ": the folder " + home.File("none").string() + " does not exist\n"},
        {"missing result file",
         {"export", home.File("none.qzr").string(), home.File("out.txt").string()},
         "Error: Operator file failed!\nperhaps the file attribute\nis read only!\n"
         "Error: can't load " +
             home.File("none.qzr").string() + "\nError: " + home.File("none.qzr").string() +
             ": no such file\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult result = Cli(c.arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, c.err);
        EXPECT_FALSE(fs::exists(c.arguments.back()));
    }
}

// Exporting onto a FIFO or a device node made here: refused with the reason, the node stays.
TEST_F(ExportCliTest, AFifoOrADeviceNodeIsNeverReplaced) {
    const fs::path fifo = home.Path() / "fifo.htm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    const fs::path device = home.Path() / "device.txt";
    const bool withDevice = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const struct {
        fs::path node;
        std::vector<std::string> options;
        const char* kind;
        mode_t type;
    } cases[] = {
        {fifo, {}, "a FIFO", S_IFIFO},
        {fifo, {"--tab"}, "a FIFO", S_IFIFO},
        {device, {}, "a device node", S_IFCHR},
        {device, {"--tab"}, "a device node", S_IFCHR},
    };
    for (const auto& c : cases) {
        if (c.type == S_IFCHR && !withDevice) {
            continue;
        }
        SCOPED_TRACE(c.node.string() + (c.options.empty() ? "" : " --tab"));
        std::vector<std::string> arguments{"export", home.File("list.qzr"), c.node.string()};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CliResult result = Cli(arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "Error: " + c.node.string() + " is " + c.kind +
                                  ", not a regular file: only a regular file is replaced\n");
        struct stat info {};
        ASSERT_EQ(::lstat(c.node.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, c.type);
    }
    if (!withDevice) {
        GTEST_SKIP() << "mknod needs root for a device node: the device cases did not run";
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
        const CliResult result =
            Cli({"import", home.File("list.qzr").string(), home.File("more.qzr").string()});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, c.out + home.File("list.qzr").string() + "\n");
        EXPECT_EQ(Titles("list.qzr"), c.titles);
        EXPECT_EQ(Titles("more.qzr").size(), 3u);
    }
}

TEST_F(ExportCliTest, ImportOfAProtectedFileNeedsItsPassword) {
    Save("locked.qzr", {Item("Secret", "http://s/")}, "Brindle");
    const CliResult refused = Cli({"import", home.File("list.qzr").string(),
                                   home.File("locked.qzr").string(), "--from-password", "wrong"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Error: Password unvaild\ntry again ? [Cancel]"), std::string::npos);
    EXPECT_EQ(Titles("list.qzr").size(), 3u);
    const CliResult accepted =
        Cli({"import", home.File("list.qzr").string(), home.File("locked.qzr").string(),
             "--from-password", "Brindle"});
    ASSERT_EQ(accepted.exitCode, 0) << accepted.err;
    EXPECT_EQ(Titles("list.qzr").back(), "Secret");
}

}  // namespace
}  // namespace quexa::test
