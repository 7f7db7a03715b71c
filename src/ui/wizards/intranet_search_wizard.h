#pragma once

#include "core/profile.h"
#include "core/prompter.h"
#include "ui/wizards/search_wizard_sheet.h"

namespace quexa::ui {

class PatternPage;
class TargetPage;

// The Intranet search wizard: targets, then file patterns; both end in the profile.
class IntranetSearchWizard : public SearchWizardSheet {
    Q_OBJECT

  public:
    enum Page { kTargetPage, kPatternPage };
    static constexpr const char* kCaptions[] = {"New Search - Search Intranet and PC (Step 1/2)",
                                                "New Search - Search Intranet and PC (Step 2/2)"};

    IntranetSearchWizard(core::Profile& profile, core::Prompter& prompter,
                         QWidget* parent = nullptr);

    TargetPage& Targets() const { return *targetPage_; }
    PatternPage& Patterns() const { return *patternPage_; }

  private:
    TargetPage* targetPage_;
    PatternPage* patternPage_;
};

}  // namespace quexa::ui
