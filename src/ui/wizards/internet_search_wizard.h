#pragma once

#include "core/app_folders.h"
#include "core/profile.h"
#include "core/prompter.h"
#include "core/settings_cache.h"
#include "tasks/search_wizard.h"
#include "ui/wizards/scheme_page.h"
#include "ui/wizards/search_wizard_sheet.h"

namespace quexa::ui {

class CategoryPage;
class KeywordPage;

// The Internet search wizard: category, scheme, key words. It hands nothing over: every choice
// is in the profile when it finishes.
class InternetSearchWizard : public SearchWizardSheet {
    Q_OBJECT

  public:
    enum Page { kCategoryPage, kSchemePage, kKeywordPage };
    static constexpr const char* kCaptions[] = {"New Search - Search Internet (Step 1/3)",
                                                "New Search - Search Internet (Step 2/3)",
                                                "New Search - Search Internet (Step 3/3)"};

    InternetSearchWizard(core::Profile& profile, const core::AppFolders& folders,
                         core::SettingsCache& cache, core::Prompter& prompter,
                         QWidget* parent = nullptr);

    CategoryPage& Categories() const { return *categoryPage_; }
    SchemePage& Schemes() const { return *schemePage_; }
    KeywordPage& Keywords() const { return *keywordPage_; }

  private:
    tasks::SearchWizard logic_;
    CategoryPage* categoryPage_;
    SchemePage* schemePage_;
    KeywordPage* keywordPage_;
};

}  // namespace quexa::ui
