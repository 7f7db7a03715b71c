#pragma once

#include <QWizardPage>

#include "core/profile.h"
#include "core/prompter.h"

class QLabel;

namespace quexa::ui {

class HistoryBox;

// Intranet step 2: the file patterns with their history. Finish stores them.
class PatternPage : public QWizardPage {
    Q_OBJECT

  public:
    PatternPage(core::Profile& profile, core::Prompter& prompter, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

    HistoryBox* Patterns() const { return patterns_; }
    QLabel* Note() const { return note_; }

  private:
    core::Prompter& prompter_;
    HistoryBox* patterns_;
    QLabel* note_;
    bool filled_ = false;
};

}  // namespace quexa::ui
