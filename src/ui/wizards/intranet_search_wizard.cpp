#include "ui/wizards/intranet_search_wizard.h"

#include "ui/wizards/pattern_page.h"
#include "ui/wizards/target_page.h"

namespace quexa::ui {

IntranetSearchWizard::IntranetSearchWizard(core::Profile& profile, core::Prompter& prompter,
                                           QWidget* parent)
    : SearchWizardSheet({kCaptions[0], kCaptions[1]}, parent),
      targetPage_(new TargetPage(profile, prompter, this)),
      patternPage_(new PatternPage(profile, prompter, this)) {
    AddPages({targetPage_, patternPage_});
}

}  // namespace quexa::ui
