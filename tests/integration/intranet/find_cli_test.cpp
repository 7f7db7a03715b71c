// quexa-cli find: what it prints and saves for folders made here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "cli_process.h"
#include "core/result_list.h"
#include "files/result_file.h"
#include "null_prompter.h"
#include "temp_folder.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
using testing::Lines;
using testing::RunCli;

class FindCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* file : {"docs/a.txt", "docs/B.MD", "docs/c.log", "docs/deep/d.txt"}) {
            fs::create_directories((tree() / file).parent_path());
            std::ofstream(tree() / file) << "data";
        }
    }
    fs::path tree() const { return home.Path() / "tree"; }
    testing::CliResult Find(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), {"--home", home.Path().string(), "--settings",
                                             (home.Path() / "settings.conf").string(), "find"});
        return RunCli(arguments);
    }

    quexa::testing::TempFolder home;
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
    const fs::path saved = home.Path() / "found.qzr";
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

// A chain of folders with long names, each holding "f.txt", deeper than PATH_MAX; made and
// removed through descriptors, since paths that long can't be opened.
class DeepTree {
  public:
    static constexpr std::size_t kNameLength = 100;

    DeepTree(const fs::path& root, int levels) : root_(root) {
        fs::create_directories(root);
        int folder = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::string path = root.string();
        const std::string name(kNameLength, 'd');
        for (int level = 0; level < levels && folder >= 0; ++level) {
            const int file = ::openat(folder, "f.txt", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            if (file >= 0) {
                ::close(file);
                files_.push_back(path + "/f.txt");
            }
            ::mkdirat(folder, name.c_str(), 0755);
            const int below = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            ::close(folder);
            folder = below;
            folders_.push_back(path += "/" + name);
        }
        if (folder >= 0) {
            ::close(folder);
        }
    }
    ~DeepTree() { Remove(AT_FDCWD, root_.c_str()); }
    DeepTree(const DeepTree&) = delete;
    DeepTree& operator=(const DeepTree&) = delete;

    // Every "f.txt" made, by its full path; the folders below the root.
    const std::vector<std::string>& files() const { return files_; }
    const std::vector<std::string>& folders() const { return folders_; }

  private:
    static void Remove(int parent, const char* name) {
        const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder >= 0) {
            ::unlinkat(folder, "f.txt", 0);
            Remove(folder, std::string(kNameLength, 'd').c_str());
            ::close(folder);
        }
        ::unlinkat(parent, name, AT_REMOVEDIR);
    }

    fs::path root_;
    std::vector<std::string> files_;
    std::vector<std::string> folders_;
};

// A path longer than the location field would be listed cut, name another file or none, and be
// deleted by verification: such files are counted and reported instead, and nothing listed
// fails its verification.
TEST_F(FindCliTest, PathsTooLongToListAreCountedNotCut) {
    const DeepTree deep(home.Path() / "deep", 45);
    ASSERT_GT(deep.folders().back().size(), 4096U) << "the tree goes beyond PATH_MAX";
    std::set<std::string> listable;
    std::size_t tooLong = 0;
    for (const std::string& file : deep.files()) {
        const std::string folder = file.substr(0, file.size() - 6);
        if (file.size() <= core::ResultItem::kLocationLimit) {
            listable.insert(file);
        } else if (folder.size() <= 4096) {
            ++tooLong;  // deeper folders are beyond PATH_MAX: not searched at all
        }
    }
    ASSERT_FALSE(listable.empty());
    ASSERT_GT(tooLong, 1U);

    const fs::path saved = home.Path() / "deep.qzr";
    const testing::CliResult found = Find({"--json", "--target", (home.Path() / "deep").string(),
                                           "--save", saved.string(), "*.txt;f.*"});
    ASSERT_EQ(found.exitCode, 0) << found.err;
    std::set<std::string> listed;
    for (const std::string& line : Lines(found.out)) {
        listed.insert(nlohmann::json::parse(line)["location"].get<std::string>());
    }
    EXPECT_EQ(listed, listable);
    EXPECT_NE(
        found.err.find("Note: " + std::to_string(tooLong) + " files with paths too long to list"),
        std::string::npos)
        << found.err;

    const testing::CliResult verified = RunCli({"--home", home.Path().string(), "--settings",
                                                (home.Path() / "settings.conf").string(), "verify",
                                                "--json", "--save", saved.string()});
    ASSERT_EQ(verified.exitCode, 0) << verified.err;
    const std::vector<std::string> lines = Lines(verified.out);
    EXPECT_EQ(lines.size(), listable.size()) << verified.out;
    for (const std::string& line : lines) {
        EXPECT_EQ(nlohmann::json::parse(line)["status"], "Reachable") << line;
    }
}

}  // namespace
}  // namespace quexa::test
