// quexa-cli find: what it prints and saves for folders made here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/result_list.h"
#include "files/result_file.h"
#include "temp_dir.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using testing::Lines;
using testing::RunCli;

// Answers every question with No.
class NoPrompter : public core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons) override { return Answer::No; }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
};

class FindCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* file : {"docs/a.txt", "docs/B.MD", "docs/c.log", "docs/deep/d.txt"}) {
            fs::create_directories((tree() / file).parent_path());
            std::ofstream(tree() / file) << "data";
        }
    }
    fs::path tree() const { return home.path() / "tree"; }
    testing::CliResult Find(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--home", home.path().string(), "--settings",
                                             (home.path() / "settings.conf").string(), "find"});
        return RunCli(arguments);
    }

    TempDir home;
};

TEST_F(FindCliTest, PrintsOneJsonObjectPerItem) {
    const testing::CliResult result =
        Find({"--json", "--target", (tree() / "docs").string(), "*.txt;*.md"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::set<std::string> locations;
    for (const std::string& line : Lines(result.out)) {
        const nlohmann::json item = nlohmann::json::parse(line);
        for (const char* key :
             {"title", "location", "target", "preview", "status", "visit", "selected"}) {
            EXPECT_TRUE(item.contains(key)) << key << " in " << line;
        }
        EXPECT_EQ(item["target"], "Local Computer");
        EXPECT_EQ(item["status"], "Reachable");
        EXPECT_EQ(item["preview"].get<std::string>().substr(0, 19), "Attribute:Document ");
        locations.insert(item["location"].get<std::string>());
    }
    const std::set<std::string> expected = {(tree() / "docs/a.txt").string(),
                                            (tree() / "docs/B.MD").string(),
                                            (tree() / "docs/deep/d.txt").string()};
    EXPECT_EQ(locations, expected);
}

TEST_F(FindCliTest, SavesTheItemsAsAnIntranetResultFile) {
    const fs::path saved = home.path() / "found.qzr";
    const testing::CliResult result =
        Find({"--target", (tree() / "docs").string(), "--target", (tree() / "docs/deep").string(),
              "--save", saved.string(), "*.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(Lines(result.out).size(), 3u) << result.out;  // the heading and two items
    core::ResultList list;
    const files::LoadedFile loaded = files::LoadResultFile(saved, list, {});
    ASSERT_TRUE(loaded.Loaded());
    const files::ResultFileHeader* header = &loaded.header;
    EXPECT_EQ(header->mode, files::ResultFileHeader::kIntranetMode);
    EXPECT_EQ(header->keywords, "*.txt");
    EXPECT_EQ(header->searchTarget,
              (tree() / "docs").string() + ";" + (tree() / "docs/deep").string() + ";");
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Item(0).location, (tree() / "docs/a.txt").string());
}

TEST_F(FindCliTest, BlankPatternsAreRefused) {
    const testing::CliResult result = Find({"--target", tree().string(), " ; ;"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("The key you have input wrong!"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
}

TEST_F(FindCliTest, AShareThatIsNotMountedFindsNothing) {
    const testing::CliResult result = Find({"--json", "--target", "//nowhere/share", "*"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
}

}  // namespace
}  // namespace quexa::test
