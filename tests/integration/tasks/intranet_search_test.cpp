// The Intranet search as task control runs it, on real folders made by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "task_fixture.h"
#include "tasks/intranet_search.h"

namespace quexa::test {
namespace {

namespace fs = std::filesystem;
namespace settings = core::settings;

void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

class IntranetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fixture.home.Path() / "tree";
        for (const char* file : {"a/one.txt", "a/two.md", "a/sub/three.txt", "a/sub/four.log",
                                 "b/five.TXT", "b/six.c"}) {
            Touch(root / file);
        }
        fixture.control->intranet().SetMountsSource([this] { return mounts; });
    }

    std::string Path(const std::string& below) const { return (root / below).string(); }

    bool Run(const std::string& patterns, const std::string& targets) {
        settings::kIntranetPatterns.Write(fixture.profile, patterns);
        settings::kLastSearchTarget.Write(fixture.profile, targets);
        return fixture.control->RunIntranetSearch([this] { ++saves; });
    }

    std::vector<std::string> Locations() const {
        std::vector<std::string> out;
        for (std::size_t row = 0; row < fixture.list.Count(); ++row) {
            out.push_back(fixture.list.Item(row).location);
        }
        return out;
    }

    quexa::testing::TaskFixture fixture;
    fs::path root;
    std::string mounts = "/dev/sda1 / ext4 rw 0 0\n";
    int saves = 0;
};

TEST_F(IntranetTest, ListsEveryMatchOnceAcrossPatternsAndTargets) {
    const std::string targets = Path("a") + ";" + Path("b") + "/;" + Path("a/sub") + ";";
    ASSERT_TRUE(Run("*.txt;*.*", targets));
    const std::vector<std::string> found = Locations();
    const std::set<std::string> expected = {
        Path("a/one.txt"),      Path("a/two.md"),   Path("a/sub"),  Path("a/sub/three.txt"),
        Path("a/sub/four.log"), Path("b/five.TXT"), Path("b/six.c")};
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected);
    EXPECT_EQ(found.size(), expected.size());
    // The first pattern's matches of a folder come before the second's.
    EXPECT_EQ(found.front(), Path("a/one.txt"));
    EXPECT_EQ(found.back(), Path("b/six.c"));

    const core::ResultItem& item = fixture.list.Item(0);
    EXPECT_EQ(item.title, "one.txt");
    EXPECT_EQ(item.searchTarget, "Local Computer");
    EXPECT_EQ(item.status, core::StatusCode::Reachable);
    EXPECT_EQ(item.preview.substr(0, 35), "Attribute:Document Normal \r\nSize: 1");
    const tasks::TaskState& state = fixture.control->state();
    EXPECT_EQ(state.searchMode, tasks::TaskState::kIntranetMode);
    EXPECT_EQ(state.searchTarget, targets);
    EXPECT_EQ(state.currentQuery, "*.txt;*.*");
    EXPECT_FALSE(state.taskRunning);
    EXPECT_EQ(fixture.host.statusText, "Ready");
    EXPECT_EQ(fixture.host.events, std::vector<std::string>{"note"});
}

TEST_F(IntranetTest, AnAppendedSearchKeepsRowsAndListsNothingTwice) {
    ASSERT_TRUE(Run("*.txt", Path("a")));
    const std::size_t first = fixture.list.Count();
    ASSERT_EQ(first, 2u);
    fixture.control->state().taskRunning = true;
    ASSERT_TRUE(fixture.control->intranet().StartIntranetSearch("*.txt;*.md", Path("a"), true));
    EXPECT_EQ(fixture.list.Count(), 3u);
    EXPECT_EQ(Locations().back(), Path("a/two.md"));
    ASSERT_TRUE(Run("*.md", Path("a")));
    EXPECT_EQ(Locations(), std::vector<std::string>{Path("a/two.md")})
        << "a new search starts empty";
}

// Stop Task arriving while the search waits before a directory entry.
class IntranetStopTest : public IntranetTest, public ::testing::WithParamInterface<std::size_t> {
  protected:
    void StopWhenListed(std::size_t rows) {
        fixture.mainThread->Post([this, rows] {
            if (fixture.list.Count() >= rows) {
                fixture.control->StopTask();
            } else {
                StopWhenListed(rows);
            }
        });
    }
};

TEST_P(IntranetStopTest, EndsBetweenTwoEntriesWithOneClosingNote) {
    const std::size_t rows = GetParam();
    StopWhenListed(rows);
    ASSERT_TRUE(Run("*", Path("")));
    EXPECT_EQ(fixture.list.Count(), rows);
    EXPECT_EQ(fixture.host.Count("note"), 1);
    EXPECT_EQ(fixture.host.statusText, "Ready");
    EXPECT_FALSE(fixture.control->state().taskRunning);
    EXPECT_TRUE(fixture.control->state().stoppedByUser);
}

INSTANTIATE_TEST_SUITE_P(Rows, IntranetStopTest, ::testing::Values(0u, 1u, 4u, 9u));

struct TargetCase {
    std::string name;
    bool withShares;
    std::optional<std::vector<std::string>> answer;
    bool started;
    std::vector<std::string> foundBelow;  // folders of tree whose txt files are listed
};

class IntranetTargetTest : public IntranetTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(IntranetTargetTest, WithoutTargetsSearchesTheConfirmedShares) {
    const TargetCase& c = GetParam();
    if (c.withShares) {
        mounts += "//nas/a " + Path("a") + " cifs rw 0 0\nsrv:/b " + Path("b") + " nfs4 rw 0 0\n";
    }
    fixture.host.shareAnswer = c.answer;
    EXPECT_EQ(Run("*.txt", ""), c.started);
    if (c.withShares) {
        EXPECT_EQ(fixture.host.offeredShares, (std::vector<std::string>{"//nas/a", "srv:/b"}));
    }
    if (!c.started) {
        std::erase_if(fixture.host.events,
                      [](const std::string& event) { return event.starts_with("wait"); });
        EXPECT_EQ(fixture.host.events,
                  std::vector<std::string>{
                      "error: " + std::string(tasks::IntranetSearch::kCannotStartMessage)});
        EXPECT_FALSE(fixture.control->state().taskRunning);
        return;
    }
    std::set<std::string> computers;
    std::set<std::string> folders;
    for (std::size_t row = 0; row < fixture.list.Count(); ++row) {
        computers.insert(fixture.list.Item(row).searchTarget);
        folders.insert(fs::path(fixture.list.Item(row).location).parent_path().string());
    }
    std::set<std::string> expected;
    for (const std::string& below : c.foundBelow) {
        expected.insert(Path(below));
    }
    EXPECT_EQ(folders, expected);
    EXPECT_EQ(computers.size(), c.foundBelow.empty() ? 0u : (c.answer ? 1u : 2u));
    EXPECT_EQ(fixture.host.Count("note"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntranetTargetTest,
    ::testing::Values(TargetCase{"no_network", false, std::nullopt, false, {}},
                      TargetCase{"cancelled", true, std::vector<std::string>{}, false, {}},
                      TargetCase{"all_ticked", true, std::nullopt, true, {"a", "a/sub", "b"}},
                      TargetCase{
                          "one_ticked", true, std::vector<std::string>{"srv:/b"}, true, {"b"}}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST_F(IntranetTest, ABlankPatternSearchesNothingButEndsTheTask) {
    ASSERT_TRUE(Run(" ; ;", Path("a")));
    EXPECT_TRUE(fixture.list.Empty());
    EXPECT_EQ(fixture.host.events, std::vector<std::string>{"note"});
}

TEST_F(IntranetTest, SavesAfterEveryCountPlusOneItems) {
    for (int i = 0; i < 5; ++i) {
        Touch(root / "c" / ("f" + std::to_string(i) + ".txt"));
    }
    settings::kAutoSaveCount.Write(fixture.profile, 2);
    ASSERT_TRUE(Run("*.txt", Path("c")));
    EXPECT_EQ(saves, 0) << "auto save is off";
    settings::kAutoSave.Write(fixture.profile, 1);
    ASSERT_TRUE(Run("*.txt", Path("c")));
    EXPECT_EQ(fixture.list.Count(), 5u);
    // The count went on while saving was off: the first new item saves at once, then every
    // third one.
    EXPECT_EQ(saves, 2);
}

TEST_F(IntranetTest, AnEarlierHangUpDoesNotSwallowTheClosingNote) {
    fixture.control->state().hangUpShown = true;
    ASSERT_TRUE(Run("*.txt", Path("a")));
    EXPECT_EQ(fixture.host.events, std::vector<std::string>{"note"});
    EXPECT_FALSE(fixture.host.busy);
}

// The same files as GNU find with -iname on a generated tree.
std::set<std::string> GnuFind(const fs::path& root, const std::vector<std::string>& patterns) {
    std::string command = "find '" + root.string() + "' -mindepth 1 \\(";
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        command += (i == 0 ? " -iname '" : " -o -iname '") +
                   (patterns[i] == "*.*" ? std::string("*") : patterns[i]) + "'";
    }
    command += " \\) -print";
    std::set<std::string> found;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return found;
    }
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        found.insert(text);
    }
    pclose(pipe);
    return found;
}

TEST_F(IntranetTest, FindsWhatGnuFindFinds) {
    const fs::path tree = fixture.home.Path() / "generated";
    std::mt19937 random(7);
    const std::vector<std::string> stems = {"a", "Ab", "readme", "NOTES", "x1", "bb", ".hidden"};
    const std::vector<std::string> tails = {".txt", ".TXT", ".md", ".c", ".h", "", ".", ".tar.gz"};
    std::vector<fs::path> folders = {tree};
    for (int i = 0; i < 40; ++i) {
        folders.push_back(folders[random() % folders.size()] / ("D" + std::to_string(i) + ".d"));
        fs::create_directories(folders.back());
    }
    for (int i = 0; i < 400; ++i) {
        Touch(
            folders[random() % folders.size()] /
            (stems[random() % stems.size()] + std::to_string(i) + tails[random() % tails.size()]));
    }
    fs::create_directory_symlink(tree, tree / "loop");
    for (const std::vector<std::string>& patterns :
         std::vector<std::vector<std::string>>{{"*.txt"},
                                               {"*.TXT", "*.md"},
                                               {"a*", "?b*"},
                                               {"*.*"},
                                               {"*"},
                                               {"*.", "*.d"},
                                               {"readme?*.*z", "x1?"}}) {
        std::string text;
        for (const std::string& pattern : patterns) {
            text += pattern + ";";
        }
        ASSERT_TRUE(Run(text, tree.string()));
        const std::vector<std::string> found = Locations();
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), GnuFind(tree, patterns))
            << text;
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size()) << text;
    }
}

}  // namespace
}  // namespace quexa::test
