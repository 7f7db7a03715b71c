#include "files/folder_search.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/text.h"
#include "files/file_description.h"
#include "files/mount_table.h"
#include "files/pattern_list.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteAll;

struct Found {
    std::string folder;
    std::string location;
};

class RecordingListener : public FolderSearch::Listener {
  public:
    bool KeepGoing() override {
        ++checks;
        if (stopped) {
            ++checksAfterStop;
        }
        stopped = stopped || (stopAfter >= 0 && static_cast<int>(found.size()) >= stopAfter);
        return !stopped;
    }
    void EnterFolder(std::string_view folder) override { entered.emplace_back(folder); }
    void Found(const FolderSearch::Match& match) override {
        found.push_back({std::string(match.folder), std::string(match.location)});
        EXPECT_EQ(match.location, std::string(match.folder) + "/" + std::string(match.name));
    }

    std::vector<std::string> Locations() const {
        std::vector<std::string> out;
        for (const auto& f : found) {
            out.push_back(f.location);
        }
        return out;
    }

    int stopAfter = -1;
    bool stopped = false;
    int checks = 0;
    int checksAfterStop = 0;
    std::vector<std::string> entered;
    std::vector<struct Found> found;
};

std::vector<std::string> Search(const std::string& patterns, const std::string& target,
                                RecordingListener& listener, const MountTable& mounts = {}) {
    const PatternList list = PatternList::Parse(patterns);
    FolderSearch search(list, mounts, listener);
    search.SearchTarget(target);
    return listener.Locations();
}

std::size_t IndexOf(const std::vector<std::string>& items, const std::string& item) {
    return static_cast<std::size_t>(std::find(items.begin(), items.end(), item) - items.begin());
}

struct NormaliseCase {
    std::string path;
    std::string normal;
};

class NormalisePathTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormalisePathTest, FoldsSeparators) {
    EXPECT_EQ(FolderSearch::NormalisePath(GetParam().path), GetParam().normal);
}

INSTANTIATE_TEST_SUITE_P(Table, NormalisePathTest,
                         ::testing::Values(NormaliseCase{"/home/me/", "/home/me"},
                                           NormaliseCase{"/home//me///docs", "/home/me/docs"},
                                           NormaliseCase{"/", "/"}, NormaliseCase{"///", "//"},
                                           NormaliseCase{"", ""},
                                           NormaliseCase{"//server/share/", "//server/share"},
                                           NormaliseCase{"////server//share", "//server/share"},
                                           NormaliseCase{"\\\\server\\share\\", "//server/share"},
                                           NormaliseCase{"docs/a\\b", "docs/a\\b"}));

// Files found in one folder come pattern by pattern, before anything below that folder; the
// matches below each subfolder come in one run (depth first).
TEST(FolderSearchTest, ListsPerPatternThenSubfoldersDepthFirst) {
    TempFolder temp;
    const fs::path root = temp.Path();
    for (const char* folder : {"s1/deep", "s2", "s3/a/b", "notes.txt.d"}) {
        fs::create_directories(root / folder);
    }
    for (const char* file :
         {"a.txt", "B.MD", "c.TXT", "d.log", "s1/x.txt", "s1/y.md", "s1/deep/z.md", "s1/deep/w.txt",
          "s2/v.md", "s3/a/b/u.txt", "s3/t.md", "notes.txt.d/in.txt"}) {
        WriteAll(root / file, "x");
    }
    RecordingListener listener;
    const std::vector<std::string> found = Search("*.txt;*.md;*.d", root.string(), listener);

    std::set<std::string> expected;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = core::AsciiLower(entry.path().filename().string());
        if (name.ends_with(".txt") || name.ends_with(".md") || name.ends_with(".d")) {
            expected.insert(entry.path().string());
        }
    }
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected);
    ASSERT_EQ(found.size(), expected.size()) << "each once";

    // Pattern order inside each folder, the folder's own matches before those below it.
    std::map<std::string, std::vector<std::size_t>> byFolder;
    for (std::size_t i = 0; i < listener.found.size(); ++i) {
        byFolder[listener.found[i].folder].push_back(i);
    }
    for (const auto& [folder, indexes] : byFolder) {
        int lastPattern = -1;
        for (const std::size_t i : indexes) {
            const std::string& location = listener.found[i].location;
            const int pattern = location.ends_with(".d")                                 ? 2
                                : location.ends_with(".md") || location.ends_with(".MD") ? 1
                                                                                         : 0;
            EXPECT_GE(pattern, lastPattern) << location;
            lastPattern = pattern;
        }
        for (std::size_t i = 0; i < listener.found.size(); ++i) {
            if (listener.found[i].folder.starts_with(folder + "/")) {
                EXPECT_GT(i, indexes.back()) << listener.found[i].location;
            }
        }
    }
    // Depth first: everything below one subfolder in one run.
    for (const char* sub : {"s1", "s2", "s3", "notes.txt.d"}) {
        const std::string prefix = (root / sub).string() + "/";
        std::vector<std::size_t> below;
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (found[i].starts_with(prefix)) {
                below.push_back(i);
            }
        }
        ASSERT_FALSE(below.empty()) << sub;
        EXPECT_EQ(below.back() - below.front() + 1, below.size()) << sub;
    }
    EXPECT_LT(IndexOf(found, (root / "notes.txt.d").string()),
              IndexOf(found, (root / "notes.txt.d/in.txt").string()))
        << "a matching folder is listed before its contents";
}

TEST(FolderSearchTest, ReportsAFileOncePerMatchingPattern) {
    TempFolder temp;
    WriteAll(temp.File("a.txt"), "x");
    WriteAll(temp.File("b.log"), "x");
    RecordingListener listener;
    const std::vector<std::string> found = Search("*.txt;*.*", temp.Path().string(), listener);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0], temp.File("a.txt").string());
    EXPECT_EQ(std::count(found.begin(), found.end(), temp.File("a.txt").string()), 2);
}

TEST(FolderSearchTest, NeverFollowsALinkToAFolder) {
    TempFolder temp;
    const fs::path root = temp.Path();
    fs::create_directories(root / "real");
    WriteAll(root / "real" / "f.txt", "x");
    fs::create_directory_symlink(root, root / "real" / "loop");
    fs::create_directory_symlink(root / "real", root / "alias");
    RecordingListener listener;
    const std::vector<std::string> found = Search("*", root.string(), listener);
    const std::set<std::string> expected = {(root / "real").string(), (root / "alias").string(),
                                            (root / "real/f.txt").string(),
                                            (root / "real/loop").string()};
    EXPECT_EQ(std::set<std::string>(found.begin(), found.end()), expected);
    EXPECT_EQ(found.size(), expected.size());

    // A target that is itself a link is searched.
    RecordingListener viaLink;
    EXPECT_EQ(Search("*.txt", (root / "alias").string(), viaLink),
              std::vector<std::string>{(root / "alias/f.txt").string()});
}

// Folders made below one another through their descriptors, so that the chain may grow
// longer than a path the system accepts.
class DeepChain {
  public:
    DeepChain(const fs::path& root, std::size_t levels, std::size_t nameLength)
        : name_(nameLength, 'n') {
        int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
        std::string path = root.string();
        for (std::size_t i = 0; i < levels; ++i) {
            EXPECT_EQ(mkdirat(fd, name_.c_str(), 0755), 0);
            const int next = openat(fd, name_.c_str(), O_RDONLY | O_DIRECTORY);
            close(fd);
            fd = next;
            path += "/" + name_;
            close(openat(fd, "f.txt", O_CREAT | O_WRONLY, 0644));
            folders.push_back(path);
        }
        close(fd);
        root_ = root;
    }
    ~DeepChain() { Remove(open(root_.c_str(), O_RDONLY | O_DIRECTORY), folders.size()); }

    std::vector<std::string> folders;

  private:
    void Remove(int fd, std::size_t levels) {
        if (levels > 0) {
            Remove(openat(fd, name_.c_str(), O_RDONLY | O_DIRECTORY), levels - 1);
            unlinkat(fd, name_.c_str(), AT_REMOVEDIR);
        }
        unlinkat(fd, "f.txt", 0);
        close(fd);
    }

    std::string name_;
    fs::path root_;
};

TEST(FolderSearchTest, SkipsFoldersWithPathsBeyondTheLimit) {
    TempFolder temp;
    const DeepChain chain(temp.Path(), 24, 200);
    ASSERT_GT(chain.folders.back().size(), FolderSearch::kPathLimit);
    RecordingListener listener;
    const std::vector<std::string> found = Search("f.txt", temp.Path().string(), listener);
    std::vector<std::string> expected;
    for (const std::string& folder : chain.folders) {
        if (folder.size() < FolderSearch::kPathLimit) {
            expected.push_back(folder + "/f.txt");
        }
    }
    EXPECT_EQ(found, expected);
    for (const std::string& folder : listener.entered) {
        EXPECT_LE(folder.size(), FolderSearch::kPathLimit);
    }
}

TEST(FolderSearchTest, StopsBetweenTwoEntries) {
    TempFolder temp;
    for (int i = 0; i < 5; ++i) {
        const fs::path folder = temp.Path() / ("d" + std::to_string(i));
        fs::create_directories(folder);
        for (int j = 0; j < 5; ++j) {
            WriteAll(folder / ("f" + std::to_string(j) + ".txt"), "x");
        }
    }
    for (const int stopAfter : {0, 1, 7, 24}) {
        RecordingListener listener;
        listener.stopAfter = stopAfter;
        EXPECT_EQ(Search("*.txt", temp.Path().string(), listener).size(),
                  static_cast<std::size_t>(stopAfter));
        EXPECT_EQ(listener.checksAfterStop, 0) << "no entry is looked at after the stop";
    }
    RecordingListener all;
    EXPECT_EQ(Search("*.txt", temp.Path().string(), all).size(), 25u);
}

// Logs every call in order: "E folder", "K" for each check, "F location".
class EventListener : public FolderSearch::Listener {
  public:
    bool KeepGoing() override {
        events.push_back("K");
        return stopAfterChecks < 0 || ++checks <= stopAfterChecks;
    }
    void EnterFolder(std::string_view folder) override {
        events.push_back("E " + std::string(folder));
    }
    void Found(const FolderSearch::Match& match) override {
        events.push_back("F " + std::string(match.location));
        if (match.description != nullptr) {
            ++described;
            const FileDescription now =
                FileDescription::Read(match.folderFd, std::string(match.name).c_str());
            EXPECT_EQ(match.description->attributes, now.attributes) << match.location;
            EXPECT_EQ(match.description->size, now.size) << match.location;
        }
    }

    int stopAfterChecks = -1;
    int checks = 0;
    int described = 0;
    std::vector<std::string> events;
};

// The walk the search must mirror call for call, written plainly with a directory stream.
void ReferenceWalk(const std::string& folder, const PatternList& patterns,
                   std::vector<std::string>& events) {
    events.push_back("E " + folder);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::pair<std::string, bool>> entries;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            entries.emplace_back(name, entry->d_type == DT_DIR);
        }
    }
    closedir(dir);
    for (const WildcardPattern& pattern : patterns) {
        for (const auto& [name, isFolder] : entries) {
            if (pattern.Matches(name)) {
                events.push_back("K");
                events.push_back("F " + folder + "/" + name);
            }
        }
    }
    for (const auto& [name, isFolder] : entries) {
        events.push_back("K");
        if (isFolder) {
            ReferenceWalk(folder + "/" + name, patterns, events);
        }
    }
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Folders are read on another thread, ahead of the listener: what the listener hears, and in
// which order, must still be exactly what a plain recursive walk says, also when the search
// stops anywhere, and no folder may stay open afterwards.
TEST(FolderSearchTest, ListenerHearsExactlyWhatAPlainWalkSays) {
    TempFolder temp;
    const fs::path root = temp.Path();
    for (int a = 0; a < 12; ++a) {
        for (int b = 0; b < 12; ++b) {
            const fs::path folder = root / ("a" + std::to_string(a)) / ("b" + std::to_string(b));
            fs::create_directories(a % 4 == 0 ? folder / "deep" / "deeper" : folder);
            WriteAll(folder / ("n" + std::to_string(b) + ".txt"), std::string(b, 'x'));
            WriteAll(folder / "other.log", "x");
        }
        WriteAll(root / ("a" + std::to_string(a)) / "R.MD", "x");
    }
    fs::create_directory_symlink(root / "a1", root / "a0" / "loop");
    const PatternList patterns = PatternList::Parse("*.md;n*;*.txt");
    std::vector<std::string> expected;
    ReferenceWalk(root.string(), patterns, expected);
    const std::size_t checks =
        static_cast<std::size_t>(std::count(expected.begin(), expected.end(), "K"));

    const std::size_t openBefore = OpenDescriptors();
    for (const bool describe : {false, true}) {
        for (const int stopAfter : {-1, 0, 1, 9, 150, 700, static_cast<int>(checks) - 1}) {
            SCOPED_TRACE(std::to_string(describe) + " stop after " + std::to_string(stopAfter));
            EventListener listener;
            listener.stopAfterChecks = stopAfter;
            const MountTable mounts;
            FolderSearch search(patterns, mounts, listener, describe);
            search.SearchFolder(root.string());
            if (stopAfter < 0) {
                EXPECT_EQ(listener.events, expected);
                EXPECT_FALSE(search.Stopped());
            } else {
                // Up to and with the check that said stop, nothing after it.
                std::size_t seen = 0;
                std::size_t cut = 0;
                while (cut < expected.size() && seen <= static_cast<std::size_t>(stopAfter)) {
                    seen += expected[cut++] == "K" ? 1 : 0;
                }
                EXPECT_EQ(
                    listener.events,
                    std::vector<std::string>(expected.begin(),
                                             expected.begin() + static_cast<std::ptrdiff_t>(cut)));
                EXPECT_TRUE(search.Stopped());
            }
            if (!describe) {
                EXPECT_EQ(listener.described, 0);
            }
            EXPECT_EQ(OpenDescriptors(), openBefore);
        }
    }
}

TEST(FolderSearchTest, SearchesANetworkShareThroughItsMountPoint) {
    TempFolder temp;
    fs::create_directories(temp.Path() / "sub");
    WriteAll(temp.Path() / "sub" / "f.txt", "x");
    const MountTable mounts =
        MountTable::Parse("//nas/share " + temp.Path().string() + " cifs rw 0 0\n");
    const std::string expected = (temp.Path() / "sub" / "f.txt").string();
    for (const std::string target : {"//nas/share", "//NAS/share/sub/", "\\\\nas\\share\\sub"}) {
        RecordingListener listener;
        EXPECT_EQ(Search("*.txt", target, listener, mounts), std::vector<std::string>{expected})
            << target;
    }
    for (const std::string target : {"//nas/other", "//elsewhere/share", "/no/such/folder"}) {
        RecordingListener listener;
        EXPECT_TRUE(Search("*", target, listener, mounts).empty()) << target;
    }
}

}  // namespace
}  // namespace quexa::files
