#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_folders.h"
#include "engines/category_file.h"
#include "engines/scheme_file.h"
#include "temp_folder.h"

namespace quexa::engines::testing {

// A program folder of its own for a test: category file, engine folders and scheme folders.
class CategoryHome {
  public:
    CategoryHome();

    const core::AppFolders& folders() const { return folders_; }
    const std::string& app() const { return folders_.appDirectory; }
    std::filesystem::path Path() const { return folder_.Path(); }

    void WriteCategories(const std::vector<CategoryRecord>& records) const;
    void WriteCategoryBytes(std::string_view bytes) const;
    // An engine file named fileName in Categories/<dir>/ whose record carries the name, and
    // the site as its web site and its search URL.
    std::filesystem::path AddEngine(std::string_view dir, std::string_view fileName,
                                    std::string_view name,
                                    std::string_view webSite = "http://example.org/") const;
    // UserData/Scheme/<dir>/, ending in a separator.
    std::string SchemeFolder(std::string_view dir) const;
    std::string WriteScheme(std::string_view dir, std::string_view name,
                            std::string_view bytes) const;

  private:
    quexa::testing::TempFolder folder_;
    core::AppFolders folders_;
};

// The bytes of a category file; count overrides the record count in the header.
std::string CategoryBytes(const std::vector<CategoryRecord>& records,
                          std::optional<std::int32_t> count = std::nullopt);
// The bytes of a scheme file with the given gap (filled with 0xEE); count overrides the header's.
std::string SchemeBytes(std::string_view note, const std::vector<SchemeEntry>& entries,
                        std::uint32_t gap = 0, std::optional<std::uint32_t> count = std::nullopt,
                        std::string_view magic = "SCMA");
// The entries a scheme file holds, read through SchemeFile.
std::vector<SchemeEntry> ReadEntries(const std::string& path);

}  // namespace quexa::engines::testing
