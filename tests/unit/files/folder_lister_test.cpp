#include "files/folder_lister.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "files/pattern_list.h"
#include "temp_folder.h"

namespace quexa::files {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteAll;

// A reader left alone runs ahead and describes what the list matches on its own thread; each
// description must be what describing the entry on the spot gives, and only matches get one.
TEST(FolderListerTest, AReaderAheadDescribesTheMatchesItself) {
    TempFolder temp;
    for (int i = 0; i < 120; ++i) {
        const fs::path folder = temp.Path() / ("f" + std::to_string(i));
        fs::create_directories(folder);
        WriteAll(folder / "a.txt", std::string(static_cast<std::size_t>(i), 'x'));
        WriteAll(folder / "b.log", "x");
    }
    const PatternList describe = PatternList::Parse("*.TXT");
    FolderLister lister(temp.Path().string(), &describe);
    // Time for the reader to fill its queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    FolderLister::Listing top = lister.Next();
    ASSERT_TRUE(top.listed);
    int described = 0;
    int folders = 0;
    for (const FolderLister::Entry& entry : top.entries) {
        ASSERT_TRUE(entry.folder);
        FolderLister::Listing listing = lister.Next();
        ASSERT_TRUE(listing.listed) << listing.path;
        EXPECT_EQ(listing.path, (temp.Path() / entry.name).string());
        ++folders;
        for (const FolderLister::Entry& file : listing.entries) {
            if (!file.description) {
                continue;
            }
            ++described;
            EXPECT_EQ(file.name, "a.txt");
            const FileDescription now = FileDescription::Read(listing.Fd(), file.name.c_str());
            EXPECT_EQ(file.description->size, now.size) << listing.path;
            EXPECT_EQ(file.description->attributes, now.attributes) << listing.path;
        }
    }
    EXPECT_EQ(folders, 120);
    EXPECT_GT(described, 0);
    // Past the end of the walk there is nothing more to read.
    EXPECT_TRUE(lister.Next().skipped);
}

}  // namespace
}  // namespace quexa::files
