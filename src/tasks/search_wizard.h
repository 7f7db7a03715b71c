#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_folders.h"
#include "core/profile.h"
#include "core/settings_cache.h"
#include "engines/category_list.h"
#include "tasks/query_page.h"

namespace quexa::tasks {

// What the Internet search wizard's three pages chose, as the search and the profile need it.
struct WizardChoices {
    std::string category;    // "LastCategory"
    std::string directory;   // the key the scheme is remembered by
    std::string schemePath;  // empty: the system scheme
    std::string query;
};

// The Internet search wizard without its pages: the categories, what page 1 selects on opening,
// the schemes of the chosen category and the remembered one among them, the query check, and
// what the wizard remembers when the search starts. The window's pages and quexa-cli search
// both go through it.
class SearchWizard {
  public:
    static constexpr std::string_view kNoKeywords = QueryPage::kNoKeywords;

    SearchWizard(const core::Profile& profile, core::AppFolders folders);

    const engines::CategoryList& categories() const { return categories_; }
    // Page 1 on opening: the remembered category.
    std::size_t RememberedCategory() const;
    // Page 2 for a category: its schemes, the system scheme first. False when the category file
    // can't be read; the schemes are then empty.
    bool ChooseCategory(std::size_t index);
    const std::vector<std::string>& schemes() const { return schemes_; }
    // The chosen category's scheme folder; empty when the category file can't be read.
    const std::string& folder() const { return folder_; }
    // The directory the scheme editor configures for the chosen category, as the scheme
    // folder is found; nothing when the category file can't be read for a named category.
    std::optional<std::string> SchemeDirectory() const;
    // Page 2's note of a scheme, four blanks in front: the system scheme's own, else its file's
    // (nothing after the blanks when the file can't be read).
    std::string SchemeNote(std::size_t scheme) const;
    // Page 2 on opening: the scheme remembered for the chosen category.
    std::size_t RememberedScheme() const;
    // Page 3: the blank-trimmed query; nothing when it is empty (kNoKeywords).
    static std::optional<std::string> CheckQuery(std::string_view text);
    // The choices with a scheme of the chosen category and a checked query.
    WizardChoices Finish(std::size_t scheme, std::string query) const;

    // What the window's pages store as a person leaves them: page 1 the category of an entry,
    // page 2 the scheme of the chosen category (nothing without a scheme folder), page 3 the two
    // check boxes, the hang-up box also in the settings cache.
    void StoreCategory(core::Profile& profile, std::size_t index) const;
    void StoreScheme(core::Profile& profile, std::size_t scheme) const;
    static void StoreFinishingOptions(core::Profile& profile, core::SettingsCache& cache,
                                      bool verify, bool hangUp);

    // Stored when the search starts: the category, its scheme, the verify box, the query and
    // the key word history.
    static void Remember(core::Profile& profile, const WizardChoices& choices, bool verify);

  private:
    const core::Profile& profile_;
    core::AppFolders folders_;
    engines::CategoryList categories_;
    std::string category_;
    std::string folder_;
    std::vector<std::string> schemes_;
};

}  // namespace quexa::tasks
