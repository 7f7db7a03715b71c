#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/prompter.h"
#include "core/result_item.h"

namespace quexa::tasks {

// The program's own favourites: "Add to Favorite" keeps rows in a result file of the
// "My Favorite" folder, which the file manager shows like any other.
class Favorites {
  public:
    static constexpr std::string_view kFolder = "Data/MyFav";
    static constexpr std::string_view kFileName = "Favorites.qzr";
    // The folders the result view keeps its files in, below the writable data folder.
    static constexpr std::string_view kResultFolders[] = {"Data/Internet", "Data/Intranet",
                                                          "Data/MyFav", "Temp/wan/broken"};

    enum class Outcome { Added, AlreadyThere, Failed };

    explicit Favorites(std::filesystem::path dataDirectory)
        : dataDirectory_(std::move(dataDirectory)) {}

    // Makes every missing level of each result folder; false when one can't be made.
    bool EnsureFolders() const;
    std::filesystem::path FilePath() const;

    // Adds the row behind the favourites, making the file when missing; a location already
    // there (in any letter case) is not added twice. A file that can't be read, or whose
    // password is not given, is left as it is. Messages go to the prompter.
    Outcome Add(const core::ResultItem& item, std::string_view authorName,
                core::Prompter& prompter) const;

  private:
    std::filesystem::path dataDirectory_;
};

}  // namespace quexa::tasks
