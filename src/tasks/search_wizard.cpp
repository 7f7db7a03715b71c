#include "tasks/search_wizard.h"

#include <utility>

#include "core/keyword_history.h"
#include "core/settings_table.h"
#include "core/text.h"
#include "engines/scheme_list.h"

namespace quexa::tasks {
namespace settings = core::settings;

SearchWizard::SearchWizard(const core::Profile& profile, core::AppFolders folders)
    : profile_(profile),
      folders_(std::move(folders)),
      categories_(engines::CategoryList::Load(folders_.appDirectory)) {}

std::size_t SearchWizard::RememberedCategory() const {
    return categories_.Select(settings::kLastCategory.Read(profile_));
}

bool SearchWizard::ChooseCategory(std::size_t index) {
    category_ = categories_.StoredName(index);
    folder_ = engines::GetSchemeFolder(folders_, category_);
    schemes_ = folder_.empty() ? std::vector<std::string>() : engines::ListSchemes(folder_);
    return !folder_.empty();
}

std::optional<std::string> SearchWizard::SchemeDirectory() const {
    return engines::SchemeDirectory(folders_.appDirectory, category_);
}

std::string SearchWizard::SchemeNote(std::size_t scheme) const {
    const std::string note =
        scheme == 0 ? std::string(engines::kSystemSchemeNote)
        : scheme < schemes_.size()
            ? engines::ReadSchemeNote(engines::SchemePath(folder_, schemes_[scheme]))
            : std::string();
    return "    " + note;
}

std::size_t SearchWizard::RememberedScheme() const {
    const std::string directory = engines::ResolveCategoryDir(folders_.appDirectory, category_);
    return engines::SelectRememberedScheme(schemes_, folder_,
                                           engines::GetLastScheme(profile_, directory));
}

std::optional<std::string> SearchWizard::CheckQuery(std::string_view text) {
    std::string query(core::Trim(text));
    if (query.empty()) {
        return std::nullopt;
    }
    return query;
}

WizardChoices SearchWizard::Finish(std::size_t scheme, std::string query) const {
    WizardChoices choices;
    choices.category = category_;
    choices.directory = engines::ResolveCategoryDir(folders_.appDirectory, category_);
    choices.schemePath = engines::RememberedSchemeValue(schemes_, folder_, scheme);
    choices.query = std::move(query);
    return choices;
}

void SearchWizard::StoreCategory(core::Profile& profile, std::size_t index) const {
    settings::kLastCategory.Write(profile, categories_.StoredName(index));
}

void SearchWizard::StoreScheme(core::Profile& profile, std::size_t scheme) const {
    const std::string directory = engines::ResolveCategoryDir(folders_.appDirectory, category_);
    if (!folder_.empty() && !directory.empty()) {
        engines::SetLastScheme(profile, directory,
                               engines::RememberedSchemeValue(schemes_, folder_, scheme));
    }
}

void SearchWizard::StoreFinishingOptions(core::Profile& profile, core::SettingsCache& cache,
                                         bool verify, bool hangUp) {
    settings::kAutoVerify.Write(profile, verify ? 1 : 0);
    cache.SetHangUp(profile, hangUp);
}

void SearchWizard::Remember(core::Profile& profile, const WizardChoices& choices, bool verify) {
    settings::kLastCategory.Write(profile, choices.category);
    if (!choices.directory.empty()) {
        engines::SetLastScheme(profile, choices.directory, choices.schemePath);
    }
    settings::kAutoVerify.Write(profile, verify ? 1 : 0);
    settings::kInternetKeywords.Write(profile, choices.query);
    const core::KeywordHistory history = core::KeywordHistory::Internet();
    history.Add(profile, choices.query, history.Load(profile));
}

}  // namespace quexa::tasks
