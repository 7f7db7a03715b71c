#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_folders.h"

namespace quexa::engines {

// The Global category: always first, never in the category file.
inline constexpr std::string_view kGlobalCategoryText = "The Web";
inline constexpr std::string_view kGlobalDirectory = "Global";
inline constexpr std::string_view kGlobalCategoryNote =
    "Search many popular search engine to find all the website, page or data what you want ...";

struct CategoryEntry {
    std::string name;
    std::string iconPath;  // the icon file under Categories; empty: the built-in icon
};

// The categories a person chooses from: the Global category, then one entry per record of the
// category file, read afresh on every Load.
class CategoryList {
  public:
    static CategoryList Load(const std::string& appDirectory);

    const std::vector<CategoryEntry>& entries() const { return entries_; }
    // The entry whose name equals the remembered one exactly, the last of several; else 0.
    std::size_t Select(std::string_view lastCategory) const;
    // The note of an entry, read afresh; nothing when the category file can't be opened.
    std::optional<std::string> NoteOf(std::size_t index) const;
    // What "LastCategory" becomes for an entry: "Global" for the first one.
    std::string StoredName(std::size_t index) const;

  private:
    std::string appDirectory_;
    std::vector<CategoryEntry> entries_;
};

// The directory of a category by its exact name: "Global" for an empty name or a name without a
// record; empty when the category file can't be opened.
std::string ResolveCategoryDir(const std::string& appDirectory, std::string_view name);

// The directory of a category matched ignoring letter case: "Global" for an empty name or
// "global", empty for a name without a record; nothing when the category file can't be opened.
std::optional<std::string> SchemeDirectory(const std::string& appDirectory, std::string_view name);

// The category's scheme folder under UserData/Scheme, ending in a separator and created when
// missing; the name is matched ignoring letter case. Empty when the category file can't be
// opened for a name other than the Global category's.
std::string GetSchemeFolder(const core::AppFolders& folders, std::string_view name);

// A directory field that names one folder: not empty, ".", ".." or holding a "/".
bool IsPlainFolderName(std::string_view directory);

}  // namespace quexa::engines
