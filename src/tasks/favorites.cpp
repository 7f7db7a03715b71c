#include "tasks/favorites.h"

#include <optional>
#include <system_error>

#include "core/result_list.h"
#include "files/result_file.h"
#include "tasks/result_document.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;

}  // namespace

bool Favorites::EnsureFolders() const {
    bool made = true;
    for (const std::string_view folder : kResultFolders) {
        const fs::path path = dataDirectory_ / folder;
        std::error_code error;
        fs::create_directories(path, error);
        made = fs::is_directory(path, error) && made;
    }
    return made;
}

fs::path Favorites::FilePath() const {
    return dataDirectory_ / kFolder / kFileName;
}

Favorites::Outcome Favorites::Add(const core::ResultItem& item, std::string_view authorName,
                                  core::Prompter& prompter) const {
    const fs::path path = FilePath();
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    core::ResultList favorites;
    files::ResultFileHeader header;
    header.author = authorName;
    if (fs::exists(path, error)) {
        if (!files::PromptForPassword(path, prompter)) {
            return Outcome::Failed;
        }
        const files::LoadedFile loaded =
            files::LoadResultFile(path, favorites, files::LoadOptions{});
        if (!loaded.Loaded()) {
            ResultDocument::TellLoadFailure(loaded.outcome, prompter);
            return Outcome::Failed;
        }
        header = loaded.header;
    }
    if (favorites.Locations().Contains(item.location)) {
        return Outcome::AlreadyThere;
    }
    core::ResultItem favorite = item;
    favorite.selected = false;
    favorites.AddItem(static_cast<std::ptrdiff_t>(favorites.Count()), std::move(favorite));
    if (!files::WriteResultFile(path, favorites, header)) {
        return Outcome::Failed;
    }
    return Outcome::Added;
}

}  // namespace quexa::tasks
