#pragma once

#include <QWizardPage>

#include "core/profile.h"
#include "core/prompter.h"
#include "core/settings_cache.h"

class QCheckBox;
class QLabel;

namespace quexa::ui {

class HistoryBox;

// Internet step 3: the query with its history, the two finishing options and the note.
// Leaving the page stores the options; Finish also stores the query.
class KeywordPage : public QWizardPage {
    Q_OBJECT

  public:
    static constexpr const char* kVerifyText = "Auto start verify task after search task finish";
    static constexpr const char* kHangUpText =
        "Auto hang up my dial-up network after all task finish";

    KeywordPage(core::Profile& profile, core::SettingsCache& cache, core::Prompter& prompter,
                QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

    HistoryBox* Query() const { return query_; }
    QCheckBox* Verify() const { return verify_; }
    QCheckBox* HangUp() const { return hangUp_; }
    QLabel* Note() const { return note_; }

  private:
    void StoreOptions();

    core::Profile& profile_;
    core::SettingsCache& cache_;
    core::Prompter& prompter_;
    HistoryBox* query_;
    QCheckBox* verify_;
    QCheckBox* hangUp_;
    QLabel* note_;
    bool filled_ = false;
};

}  // namespace quexa::ui
