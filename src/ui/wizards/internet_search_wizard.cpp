#include "ui/wizards/internet_search_wizard.h"

#include "ui/wizards/category_page.h"
#include "ui/wizards/keyword_page.h"

namespace quexa::ui {

InternetSearchWizard::InternetSearchWizard(core::Profile& profile, const core::AppFolders& folders,
                                           core::SettingsCache& cache, core::Prompter& prompter,
                                           QWidget* parent)
    : SearchWizardSheet({kCaptions[0], kCaptions[1], kCaptions[2]}, parent),
      logic_(profile, folders),
      categoryPage_(new CategoryPage(logic_, profile, this)),
      schemePage_(new SchemePage(logic_, profile, this)),
      keywordPage_(new KeywordPage(profile, cache, prompter, this)) {
    AddPages({categoryPage_, schemePage_, keywordPage_});
}

}  // namespace quexa::ui
