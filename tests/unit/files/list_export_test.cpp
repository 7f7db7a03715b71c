// The Export commands: the format by extension, the dialogs they show, the failure box, and
// Import into a list that already holds some of the file's locations.
#include "files/list_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/settings_table.h"
#include "files/link_list.h"
#include "files/result_import.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
namespace settings = core::settings;
using core::ResultItem;
using core::StatusCode;
using core::VisitCode;
using testing::ReadAll;
using testing::ScriptedPrompter;
using testing::TempFolder;
using testing::WriteAll;

ResultItem Item(std::string title, std::string location, StatusCode status = StatusCode::Normal) {
    ResultItem item;
    item.title = std::move(title);
    item.location = std::move(location);
    item.searchTarget = "Engine";
    item.preview = "about " + item.title;
    item.status = status;
    return item;
}

class ListExportTest : public ::testing::Test {
  protected:
    ListExportTest() {
        list_.AddItem(0, Item("Alpha", "http://a.example/"));
        list_.AddItem(1, Item("Beta", "http://b.example/", StatusCode::Unreachable));
        list_.AddItem(2, Item("Gamma", "http://g.example/", StatusCode::Reachable));
        header_.mode = ResultFileHeader::kInternetMode;
        header_.keywords = "brindle moss";
        header_.searchTarget = "Global";
    }

    ExportSource Source() {
        return ExportSource{.list = list_,
                            .profile = profile_,
                            .header = header_,
                            .templatePath = folder_.File("html.htm"),
                            .progress = {},
                            .fileProgress = {},
                            .openPage = [this](const fs::path& path) {
                                opened_.push_back(path.filename().string());
                            }};
    }

    TempFolder folder_;
    core::ResultList list_;
    core::MemoryProfile profile_;
    ResultFileHeader header_;
    ScriptedPrompter prompter_;
    std::vector<std::string> opened_;
};

TEST_F(ListExportTest, TheExtensionInLowerCaseChoosesTheFormat) {
    const struct {
        const char* name;
        ExportFormat format;
    } cases[] = {
        {"a.qzr", ExportFormat::ResultFile}, {"a.QZR", ExportFormat::ResultFile},
        {"a.qzs", ExportFormat::LinkList},   {"a.htm", ExportFormat::Html},
        {"a.HTML", ExportFormat::Html},      {"a.Html", ExportFormat::Html},
        {"a.txt", ExportFormat::Text},       {"a.TXT", ExportFormat::Text},
        {"a.doc", ExportFormat::None},       {"a", ExportFormat::None},
        {"a.htm.bak", ExportFormat::None},   {".htm", ExportFormat::None},
        {"dir.txt/a", ExportFormat::None},   {"a.", ExportFormat::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportFormatFor(c.name), c.format) << c.name;
    }
}

TEST_F(ListExportTest, EachFormatIsWrittenByItsWriter) {
    const fs::path html = folder_.File("Page.HTML");
    ASSERT_TRUE(ExportList(html, true, Source(), prompter_));
    EXPECT_TRUE(
        ReadAll(html).starts_with("<html>\n<head>\n<title>Quexa Search Result - brindle "
                                  "moss</title>"));

    const fs::path text = folder_.File("list.txt");
    settings::kExportPreview.Write(profile_, 0);
    settings::kExportTarget.Write(profile_, 0);
    ASSERT_TRUE(ExportList(text, false, Source(), prompter_));
    EXPECT_EQ(ReadAll(text),
              "Title: Alpha\r\nLocation: http://a.example/\r\nTitle: Gamma\r\nLocation: "
              "http://g.example/\r\n");

    const fs::path links = folder_.File("links.qzs");
    ASSERT_TRUE(ExportList(links, false, Source(), prompter_));
    const auto entries = LinkList::Read(links);
    ASSERT_TRUE(entries && entries->size() == 3);
    EXPECT_TRUE((*entries)[0].inUse && !(*entries)[1].inUse && (*entries)[2].inUse);

    const fs::path result = folder_.File("list.qzr");
    ASSERT_TRUE(ExportList(result, false, Source(), prompter_));
    core::ResultList loaded;
    const LoadedFile file = LoadResultFile(result, loaded, {});
    ASSERT_TRUE(file.Loaded());
    EXPECT_EQ(file.header.count, 3u);
    EXPECT_EQ(file.header.keywords, "brindle moss");
    EXPECT_EQ(file.header.mode, ResultFileHeader::kInternetMode);
    ASSERT_EQ(loaded.Count(), 2u);
    EXPECT_EQ(loaded.Item(1).title, "Gamma");

    const fs::path tab = folder_.File("tab.dat");
    ASSERT_TRUE(ExportTabList(tab, true, Source()));
    EXPECT_EQ(ReadAll(tab),
              "Alpha\thttp://a.example/\t\t\t\r\nBeta\thttp://b.example/\t\t\t\r\n"
              "Gamma\thttp://g.example/\t\t\t\r\n");
    EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(ListExportTest, TheCommandsShowTheirDialogsAndReportFailures) {
    ScriptedPrompter& prompter = prompter_;
    prompter.files = {std::nullopt, folder_.File("page.htm").string(),
                      folder_.File("list.doc").string(), folder_.File("tab.txt").string()};
    EXPECT_FALSE(RunExportCommand(true, Source(), prompter).has_value());
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(RunExportCommand(false, Source(), prompter), folder_.File("page.htm"));
    EXPECT_EQ(opened_, std::vector<std::string>{"page.htm"});
    EXPECT_FALSE(RunExportCommand(true, Source(), prompter).has_value());
    EXPECT_FALSE(fs::exists(folder_.File("list.doc")));
    EXPECT_EQ(prompter.boxes,
              std::vector<std::string>{"Error: Operator failed!\nAn unknown error occupy!"});
    EXPECT_EQ(RunTabExportCommand(false, Source(), prompter), folder_.File("tab.txt"));

    ASSERT_EQ(prompter.fileRequests.size(), 4u);
    const auto& all = prompter.fileRequests[0];
    EXPECT_EQ(all.use, core::Prompter::FileUse::Export);
    EXPECT_EQ(all.caption, "Export All");
    EXPECT_EQ(all.filter,
              "HTML File(*.htm,*.html)|*.htm;*.html|Text File(*.txt) |*.txt|Quexa "
              "Result File(*.qzr)|*.qzr||");
    EXPECT_EQ(all.defaultExtension, "qzr");
    EXPECT_EQ(all.offeredName, "Quexa - brindle moss");
    EXPECT_EQ(prompter.fileRequests[1].caption, "Export All Selected");
    const auto& tab = prompter.fileRequests[3];
    EXPECT_EQ(tab.caption, "Export All Selected");
    EXPECT_EQ(tab.filter, "TAB Split Text File(*.txt)|*.txt||");
    EXPECT_EQ(tab.defaultExtension, "txt");
}

TEST_F(ListExportTest, AFailedTemplateOrFolderIsReportedOnceAndWritesNothing) {
    WriteAll(folder_.File("html.htm"), "<html><!--ITEM--><!--TITLE--></html>");
    const struct {
        const char* name;
        fs::path path;
    } cases[] = {
        {"template without end marker", folder_.File("page.htm")},
        {"missing folder", folder_.File("none") / "list.txt"},
        {"missing folder, result file", folder_.File("none") / "list.qzr"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter_.boxes.clear();
        prompter_.files = {c.path.string()};
        EXPECT_FALSE(RunExportCommand(true, Source(), prompter_).has_value());
        EXPECT_EQ(prompter_.boxes,
                  std::vector<std::string>{"Error: Operator failed!\nAn unknown error occupy!"});
        EXPECT_FALSE(fs::exists(c.path));
    }
    EXPECT_TRUE(opened_.empty());
}

TEST_F(ListExportTest, ImportSkipsListedLocationsWhenAsked) {
    core::ResultList file;
    file.AddItem(0, Item("Known", "HTTP://A.example/"));
    file.AddItem(1, Item("New", "http://n.example/"));
    file.AddItem(2, Item("Also known", "http://g.example/"));
    const fs::path path = folder_.File("more.qzr");
    ASSERT_TRUE(WriteResultFile(path, file, header_));

    const struct {
        const char* name;
        int importAde;
        std::vector<std::string> titles;
    } cases[] = {
        {"ImportADE 1", 1, {"Alpha", "Beta", "Gamma", "New"}},
        {"ImportADE 0", 0, {"Alpha", "Beta", "Gamma", "Known", "New", "Also known"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::ResultList list;
        list.AddItem(0, Item("Alpha", "http://a.example/"));
        list.AddItem(1, Item("Beta", "http://b.example/"));
        list.AddItem(2, Item("Gamma", "http://g.example/"));
        list.ClearModified();
        settings::kDropDuplicates.Write(profile_, c.importAde);
        const LoadedFile file = ImportResultFile(path, list, profile_, prompter_, 50);
        ASSERT_TRUE(file.Loaded());
        EXPECT_EQ(file.header.keywords, "brindle moss");
        std::vector<std::string> titles;
        for (std::size_t row = 0; row < list.Count(); ++row) {
            titles.push_back(list.Item(row).title);
        }
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(list.Item(3).previewHeight, 50);
        EXPECT_TRUE(list.IsModified());
    }
}

TEST_F(ListExportTest, ImportAsksForThePasswordAndLeavesTheListOnRefusal) {
    core::ResultList file;
    file.AddItem(0, Item("Locked", "http://l.example/"));
    ResultFileHeader locked = header_;
    locked.SetPassword("Brindle");
    const fs::path path = folder_.File("locked.qzr");
    ASSERT_TRUE(WriteResultFile(path, file, locked));

    prompter_.passwords = {std::string("wrong")};
    EXPECT_EQ(ImportResultFile(path, list_, profile_, prompter_, 0).outcome, LoadOutcome::Locked);
    EXPECT_EQ(list_.Count(), 3u);
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{"Error: Password unvaild\ntry again ?"});

    prompter_.boxes.clear();
    prompter_.passwords = {std::string("Brindle")};
    ASSERT_TRUE(ImportResultFile(path, list_, profile_, prompter_, 0).Loaded());
    ASSERT_EQ(list_.Count(), 4u);
    EXPECT_EQ(list_.Item(3).title, "Locked");

    prompter_.boxes.clear();
    EXPECT_FALSE(
        ImportResultFile(folder_.File("missing.qzr"), list_, profile_, prompter_, 0).Loaded());
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{
                                   "Error: Operator file failed!\nperhaps the file attribute\nis "
                                   "read only!"});
    EXPECT_EQ(list_.Count(), 4u);
}

}  // namespace
}  // namespace quexa::files
