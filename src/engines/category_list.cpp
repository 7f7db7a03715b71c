#include "engines/category_list.h"

#include <filesystem>

#include "core/text.h"
#include "engines/category_file.h"
#include "engines/folder_path.h"

namespace quexa::engines {

namespace {

// A category's directory, or empty when the field can't name a folder of its own.
std::string DirectoryOf(const CategoryRecord& record) {
    return IsPlainFolderName(record.directory) ? record.directory : std::string();
}

}  // namespace

CategoryList CategoryList::Load(const std::string& appDirectory) {
    CategoryList list;
    list.appDirectory_ = appDirectory;
    list.entries_.push_back({std::string(kGlobalCategoryText), {}});
    CategoryFile file;
    if (!file.Open(CategoryFilePath(appDirectory))) {
        return list;
    }
    std::int32_t count = 0;
    file.ReadHeader(count);
    const std::filesystem::path categories = std::filesystem::path(appDirectory) / "Categories";
    for (std::int32_t i = 0; i < count; ++i) {
        CategoryRecord record;
        file.ReadRecord(i, record);
        CategoryEntry entry{record.name, {}};
        if (!record.iconFile.empty()) {
            entry.iconPath = (categories / record.iconFile).string();
        }
        list.entries_.push_back(std::move(entry));
    }
    return list;
}

std::size_t CategoryList::Select(std::string_view lastCategory) const {
    std::size_t selected = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].name == lastCategory) {
            selected = i;
        }
    }
    return selected;
}

std::optional<std::string> CategoryList::NoteOf(std::size_t index) const {
    if (index == 0) {
        return std::string(kGlobalCategoryNote);
    }
    CategoryFile file;
    if (!file.Open(CategoryFilePath(appDirectory_))) {
        return std::nullopt;
    }
    CategoryRecord record;
    file.ReadRecord(static_cast<std::int32_t>(index - 1), record);
    return record.note;
}

std::string CategoryList::StoredName(std::size_t index) const {
    if (index == 0 || index >= entries_.size()) {
        return std::string(kGlobalDirectory);
    }
    return entries_[index].name;
}

std::string ResolveCategoryDir(const std::string& appDirectory, std::string_view name) {
    if (name.empty()) {
        return std::string(kGlobalDirectory);
    }
    CategoryFile file;
    if (!file.Open(CategoryFilePath(appDirectory))) {
        return {};
    }
    std::int32_t count = 0;
    file.ReadHeader(count);
    for (std::int32_t i = 0; i < count; ++i) {
        CategoryRecord record;
        file.ReadRecord(i, record);
        if (record.name == name) {
            return DirectoryOf(record);
        }
    }
    return std::string(kGlobalDirectory);
}

std::optional<std::string> SchemeDirectory(const std::string& appDirectory, std::string_view name) {
    const std::string lowerName = core::AsciiLower(name);
    if (lowerName.empty() || lowerName == "global") {
        return std::string(kGlobalDirectory);
    }
    CategoryFile file;
    if (!file.Open(CategoryFilePath(appDirectory))) {
        return std::nullopt;
    }
    std::int32_t count = 0;
    file.ReadHeader(count);
    for (std::int32_t i = 0; i < count; ++i) {
        CategoryRecord record;
        file.ReadRecord(i, record);
        if (core::AsciiLower(record.name) == lowerName) {
            return DirectoryOf(record);
        }
    }
    return std::string();
}

std::string GetSchemeFolder(const core::AppFolders& folders, std::string_view name) {
    const std::optional<std::string> directory = SchemeDirectory(folders.appDirectory, name);
    if (!directory) {
        return {};
    }
    const std::string folder = folders.dataDirectory + "/UserData/Scheme/" + *directory + "/";
    EnsureFolderPath(folder);
    return folder;
}

bool IsPlainFolderName(std::string_view directory) {
    return !directory.empty() && directory != "." && directory != ".." &&
           directory.find('/') == std::string_view::npos;
}

}  // namespace quexa::engines
