// A category file's bytes through the category list, the name resolution and the scheme folders;
// the same bytes as the readable source, packed and read back.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/app_folders.h"
#include "engines/category_file.h"
#include "engines/category_list.h"
#include "engines/category_source.h"

using namespace quexa;
using namespace quexa::engines;
namespace fs = std::filesystem;

namespace {

void RemoveHome();

const fs::path& Home() {
    static const fs::path home =
        fs::temp_directory_path() / ("quexa-fuzz-category-" + std::to_string(getpid()));
    // Registered after the path is made, so it runs before the path goes away.
    [[maybe_unused]] static const bool removed = std::atexit(RemoveHome) == 0;
    return home;
}

void RemoveHome() {
    std::error_code error;
    fs::remove_all(Home(), error);
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Resolution never leaves the category's own folder.
void CheckResolution(const core::AppFolders& folders, const std::string& name) {
    const std::string directory = ResolveCategoryDir(folders.appDirectory, name);
    Check(directory.empty() || IsPlainFolderName(directory));
    const std::string folder = GetSchemeFolder(folders, name);
    const std::string root = folders.dataDirectory + "/UserData/Scheme/";
    if (folder.empty()) {
        return;
    }
    Check(folder.starts_with(root) && folder.ends_with("/"));
    const std::string dir = folder.substr(root.size(), folder.size() - root.size() - 1);
    Check(dir.empty() || IsPlainFolderName(dir));
}

void ReadList(const core::AppFolders& folders) {
    const CategoryList list = CategoryList::Load(folders.appDirectory);
    Check(!list.entries().empty() && list.entries().size() <= 1001);
    const std::size_t shown = std::min<std::size_t>(list.entries().size(), 8);
    for (std::size_t i = 0; i < shown; ++i) {
        const CategoryEntry& entry = list.entries()[i];
        Check(list.Select(entry.name) < list.entries().size());
        list.NoteOf(i);
        list.StoredName(i);
        CheckResolution(folders, entry.name);
    }
    CheckResolution(folders, "");
    CheckResolution(folders, "Global");
}

void Source(std::string_view text) {
    std::vector<CategoryRecord> records;
    std::string error;
    if (!CategorySource::Parse(text, records, error)) {
        return;
    }
    const fs::path packed = Home() / "packed.qcf";
    Check(WriteCategoryFile(packed, records));
    CategoryFile file;
    Check(file.Open(packed));
    std::int32_t count = 0;
    Check(file.ReadHeader(count) && count == static_cast<std::int32_t>(records.size()));
    for (std::int32_t i = 0; i < count; ++i) {
        CategoryRecord read;
        Check(file.ReadRecord(i, read));
        Check(read.Encode() == records[static_cast<std::size_t>(i)].Encode());
    }
    std::vector<CategoryRecord> again;
    Check(CategorySource::Parse(CategorySource::Format(records), again, error));
    Check(again.size() == records.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    core::AppFolders folders;
    folders.appDirectory = Home().string();
    folders.dataDirectory = (Home() / "data").string();
    fs::create_directories(Home() / "Categories");
    {
        std::ofstream out(CategoryFilePath(folders.appDirectory),
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ReadList(folders);
    Source(std::string_view(reinterpret_cast<const char*>(data), size));
    std::error_code error;
    fs::remove_all(folders.dataDirectory, error);
    return 0;
}
