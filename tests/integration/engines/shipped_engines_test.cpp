// The engines, category file and export template that ship in the build tree's Categories
// folder, checked through quexa-cli as a search would use them: each engine against a sample
// page of our own written in the form its site documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_process.h"
#include "engines/search_url.h"

namespace {

namespace fs = std::filesystem;
using quexa::testing::Lines;
using quexa::testing::RunCli;

const fs::path kCategories = fs::path(QUEXA_BIN_DIR) / "Categories";
const fs::path kSamples = QUEXA_SAMPLE_DIR;

struct Item {
    std::string title;
    std::string location;
    std::string preview;
};

struct ShippedEngine {
    std::string file;  // under Categories
    std::string sample;
    // For "lighthouse keeper": the first two pages when paging by number, else the first one.
    std::vector<std::string> pageUrls;
    std::vector<Item> items;
    std::string nextPage;
    // Seconds the service asks between two requests (arXiv's terms: three).
    int pageInterval = 1;
};

void PrintTo(const ShippedEngine& engine, std::ostream* out) {
    *out << engine.file;
}

const std::vector<ShippedEngine>& Engines() {
    static const std::vector<ShippedEngine> engines{
        {"Global/wikipedia.qzf",
         "wikipedia.json",
         {"https://en.wikipedia.org/w/"
          "api.php?action=query&list=search&format=json&formatversion=2&srprop=snippet&srlimit=100&"
          "srsearch=lighthouse keeper&sroffset=000",
          "https://en.wikipedia.org/w/"
          "api.php?action=query&list=search&format=json&formatversion=2&srprop=snippet&srlimit=100&"
          "srsearch=lighthouse keeper&sroffset=100"},
         {// Highlighted words keep the spaces beside them.
          {"Lighthouse keeper", "https://en.wikipedia.org/?curid=90317",
           "A lighthouse keeper or lightkeeper is a person responsible for tending and caring for "
           "a lighthouse, particularly the light and lens in the days when oil lamps and "
           "clockwork"},
          // \u escapes; a highlight inside a word splits nothing; references of the snippet.
          {"Smeaton\xE2\x80\x99s Tower", "https://en.wikipedia.org/?curid=48210",
           "Keepers of the tower (1759\xE2\x80\x93"
           "1877) lived in its lower rooms; the keeper's log & the lamp room are shown"},
          // \" and \\ escapes; an escaped line break between two highlights.
          {"The \"Keeper\" (film)", "https://en.wikipedia.org/?curid=7723401",
           "a 1931 drama in which the lighthouse keeper signs his letters \\ K \\ and quotes "
           "\"Men of the Coast\""},
          {"Fastnet Rock", "https://en.wikipedia.org/?curid=312775",
           "Caf\xC3\xA9 owners on Cape Clear recall the last keepers\xC2\xA0"
           "before automation in 1989"}},
         ""},
        {"Global/wiby.qzf",
         "wiby.json",
         {"https://wiby.me/json/?q=lighthouse keeper&p=1",
          "https://wiby.me/json/?q=lighthouse keeper&p=2"},
         {{"The Keeper's Logbook, 1931", "http://www.lightkeepers.example/logbook.html",
           "Entries for every night of the year: weather, oil burnt & ships sighted."},
          {"Northern \"Beacons\" by Age", "https://beacons.example/list?coast=north&sort=age",
           "Oldest first. Each light with its \"range\" in sea miles."},
          {"Tor's Lamp Room", "http://keeper.example/~tor/", ""}},
         ""},
        {"Science/arxiv.qzf",
         "arxiv.xml",
         {"https://export.arxiv.org/api/query?search_query=all:lighthouse "
          "keeper&start=000&max_results=100",
          "https://export.arxiv.org/api/query?search_query=all:lighthouse "
          "keeper&start=100&max_results=100"},
         {// Today's order: the date and the links between title and summary are passed over.
          {"Beam Sweeping Schedules for Coastal Light Stations",
           "http://arxiv.org/abs/2611.04217v2",
           "We model the rotating beam of a light station as a periodic search problem & derive "
           "optimal schedules for stations with $n < 4$ lamps."},
          // A wrapped, indented title and summary keep their words apart.
          {"Fresnel Lenses at Scale: Casting, Grinding and Keeping Dioptric Optics in Service",
           "http://arxiv.org/abs/2609.00871v1",
           "Large dioptric lenses are cast in segments. There is no consensus on how keepers "
           "should clean them; we compare three methods used between 1890 and 1960."},
          // Three links, and a tab in the summary.
          {"Who Kept the Light? Staffing Records of 19th-Century Stations",
           "http://arxiv.org/abs/2512.11002v3",
           "Parish books name 412 keepers. Their \"relief\" rotas survive for 37 stations."}},
         "",
         3},
        {"Science/europepmc.qzf",
         "europepmc.xml",
         {"https://www.ebi.ac.uk/europepmc/webservices/rest/"
          "search?query=(lighthouse keeper)%20AND%20SRC:MED&resultType=lite&format=xml&"
          "pageSize=100"},
         {{"Night shift work & sleep among lighthouse keepers.",
           "https://europepmc.org/article/MED/40491720",
           "Hagen M, Lind S, Aas P. Occup Health Notes 3 41 2026 0000-0019 201-209 "
           "research-article; journal article"},
          // An erratum without authors keeps to its own record.
          {"Erratum: Night shift work & sleep among lighthouse keepers.",
           "https://europepmc.org/article/MED/40511377",
           "Occup Health Notes 4 41 2026 0000-0019 330 published erratum; journal article"},
          // Markup escaped in the XML text goes like any other.
          {"Vitamin D3 levels in remote coastal stations.",
           "https://europepmc.org/article/MED/39120044",
           "Berg E. Arctic Med 2025 research-article; journal article"}},
         "https://www.ebi.ac.uk/europepmc/webservices/rest/search?query=(lighthouse keeper)%20AND%"
         "20SRC:MED&resultType=lite&cursorMark=AoIIQE7k2ig0MDQ5MTcyMA==&format=xml&pageSize=100"},
        {"Software/archwiki.qzf",
         "archwiki.json",
         {"https://wiki.archlinux.org/"
          "api.php?action=query&list=search&format=json&formatversion=2&srprop=snippet&srlimit=100&"
          "srsearch=lighthouse keeper&sroffset=000",
          "https://wiki.archlinux.org/"
          "api.php?action=query&list=search&format=json&formatversion=2&srprop=snippet&srlimit=100&"
          "srsearch=lighthouse keeper&sroffset=100"},
         {{"Systemd/Timers", "https://wiki.archlinux.org/index.php?curid=37291",
           "Timers are systemd unit files whose name ends in .timer and that control .service "
           "files or events"},
          {"Pacman/Tips and tricks", "https://wiki.archlinux.org/index.php?curid=5044",
           "Use pacman -Qdt to list orphans & remove them with pacman -Rns $(pacman -Qtdq); quote "
           "a path as \"C:\\Temp\""},
          {"Keeper (password manager)", "https://wiki.archlinux.org/index.php?curid=68120",
           "Keeper\xC2\xAE is available from the AUR"}},
         ""},
        {"Books/wikisource.qzf",
         "wikisource.json",
         {"https://en.wikisource.org/w/"
          "api.php?action=query&list=search&format=json&formatversion=2&srprop=snippet&srlimit=100&"
          "srsearch=lighthouse keeper&sroffset=000",
          "https://en.wikisource.org/w/"
          "api.php?action=query&list=search&format=json&formatversion=2&srprop=snippet&srlimit=100&"
          "srsearch=lighthouse keeper&sroffset=100"},
         {{"The Lamplighter's Daughter/Chapter 1", "https://en.wikisource.org/?curid=881204",
           "Chapter I. The harbour lay quiet under a grey October sky, and the lighthouse "
           "keeper's daughter watched the boats"},
          // A line-break tag parts the lines of a poem.
          {"Songs of the Coast/The Beacon", "https://en.wikisource.org/?curid=1290377",
           "Burn on, burn on, thou steadfast flame, The keeper trims thee\xE2\x80\x94night by "
           "night"}},
         ""},
    };
    return engines;
}

class ShippedEngineTest : public ::testing::TestWithParam<ShippedEngine> {};

TEST_P(ShippedEngineTest, CutsItemsAndNextPageOutOfItsSamplePage) {
    const ShippedEngine& engine = GetParam();
    const auto result = RunCli({"extract", "--engine", (kCategories / engine.file).string(),
                                "--page", (kSamples / engine.sample).string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.out);
    ASSERT_EQ(lines.size(), engine.items.size() + 1) << result.out;
    for (std::size_t i = 0; i < engine.items.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        const auto object = nlohmann::json::parse(lines[i]);
        EXPECT_EQ(object.at("title"), engine.items[i].title);
        EXPECT_EQ(object.at("location"), engine.items[i].location);
        EXPECT_EQ(object.at("preview"), engine.items[i].preview);
    }
    EXPECT_EQ(nlohmann::json::parse(lines.back()).at("next_page"), engine.nextPage);
}

// What a search asks for, page by page; the link engine's later pages come from its pages.
TEST_P(ShippedEngineTest, SearchUrlCarriesTheQueryAndPagesAsDocumented) {
    const ShippedEngine& engine = GetParam();
    const auto result = RunCli({"engine", "show", (kCategories / engine.file).string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto object = nlohmann::json::parse(result.out);
    const quexa::engines::SearchUrl url(object.at("search_url").get<std::string>(),
                                        " lighthouse keeper ");
    const std::string nextPageTemplates = object.at("next_page_templates");
    std::vector<std::string> pages{url.FirstPageUrl()};
    if (url.PagesByNumber()) {
        pages.push_back(url.PageUrl(url.FirstPage() + 1));
        EXPECT_TRUE(nextPageTemplates.empty()) << nextPageTemplates;
    } else {
        EXPECT_NE(nextPageTemplates.find("*URL*"), std::string::npos) << nextPageTemplates;
    }
    EXPECT_EQ(pages, engine.pageUrls);
    EXPECT_EQ(url.PageIntervalSeconds(), engine.pageInterval);

    // The longest query still leaves the paging and the interval in the URL.
    const quexa::engines::SearchUrl longest(object.at("search_url").get<std::string>(),
                                            std::string(49, 'q'));
    EXPECT_EQ(longest.PageIntervalSeconds(), engine.pageInterval);
    EXPECT_EQ(longest.FirstPage(), url.FirstPage());
    if (url.PagesByNumber()) {
        EXPECT_NE(longest.PageUrl(longest.FirstPage()), longest.PageUrl(longest.FirstPage() + 1));
    }
    EXPECT_EQ(longest.FirstPageUrl().find('*'), std::string::npos) << longest.FirstPageUrl();
}

INSTANTIATE_TEST_SUITE_P(Categories, ShippedEngineTest, ::testing::ValuesIn(Engines()),
                         [](const ::testing::TestParamInfo<ShippedEngine>& param) {
                             std::string name = fs::path(param.param.file).stem().string();
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

// An engine file without a row above would ship unchecked.
TEST(ShippedData, EveryEngineFileHasASamplePage) {
    std::set<std::string> shipped;
    for (const auto& entry : fs::recursive_directory_iterator(kCategories)) {
        if (entry.path().extension() == ".qzf") {
            shipped.insert(fs::relative(entry.path(), kCategories).generic_string());
        }
    }
    std::set<std::string> checked;
    for (const ShippedEngine& engine : Engines()) {
        checked.insert(engine.file);
        EXPECT_TRUE(fs::is_regular_file(kSamples / engine.sample)) << engine.sample;
    }
    EXPECT_EQ(shipped, checked);
}

TEST(ShippedData, CategoryFileListsEveryCategoryButTheGlobalOne) {
    const auto result =
        RunCli({"category", "show", (kCategories / "config.qcf").string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::pair<std::string, std::string>> listed;
    for (const std::string& line : Lines(result.out)) {
        const auto object = nlohmann::json::parse(line);
        listed.emplace_back(object.at("name"), object.at("directory"));
        EXPECT_FALSE(object.at("note").get<std::string>().empty()) << line;
    }
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Science", "Science"}, {"Software", "Software"}, {"Books", "Books"}};
    EXPECT_EQ(listed, expected);

    // Every category, the Global one included, has a folder of engines beside the file.
    listed.emplace_back("The Web", "Global");
    for (const auto& [name, directory] : listed) {
        const fs::path folder = kCategories / directory;
        const bool hasEngine = fs::is_directory(folder) &&
                               std::any_of(fs::directory_iterator(folder), fs::directory_iterator(),
                                           [](const fs::directory_entry& entry) {
                                               return entry.path().extension() == ".qzf";
                                           });
        EXPECT_TRUE(hasEngine) << name << ": " << folder;
    }
}

// The export joins the template's lines and replaces markers inside one item block.
TEST(ShippedData, HtmlTemplateHasOneItemBlockWithEveryField) {
    std::ifstream in(kCategories / "html.htm");
    ASSERT_TRUE(in.is_open());
    std::string joined;
    for (std::string line; std::getline(in, line);) {
        joined += line;
    }
    const std::size_t open = joined.find("<!--ITEM-->");
    const std::size_t close = joined.find("<!--/ITEM-->");
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    ASSERT_LT(open, close);
    const std::string block = joined.substr(open, close - open);
    for (const char* marker : {"<!--TITLE-->", "<!--URL-->", "<!--ENGINE-->", "<!--PREVIEW-->"}) {
        EXPECT_NE(block.find(marker), std::string::npos) << marker;
    }
    EXPECT_NE(block.find("href=\"<!--URL-->\""), std::string::npos);
    EXPECT_NE(joined.substr(0, open).find("<!-KEY->"), std::string::npos);
}

}  // namespace
