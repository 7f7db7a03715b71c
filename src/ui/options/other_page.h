#pragma once

#include <string>

#include "core/profile.h"
#include "core/prompter.h"
#include "core/settings_cache.h"
#include "tasks/other_options.h"
#include "ui/options/option_page.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace quexa::ui {

// "Other": the list's look, duplicates, author, target operations, automatic saving, the
// welcome image and the browser.
class OtherPage : public OptionPage {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Other";
    static constexpr const char* kBrowserDialogTitle = "Default Web Browser";

    OtherPage(core::Profile& profile, core::SettingsCache& cache, core::Prompter& prompter,
              QWidget* parent = nullptr);

    QLineEdit& Author() const { return *author_; }
    QLineEdit& Browser() const { return *browser_; }
    QComboBox& Backgrounds() const { return *backgrounds_; }
    QSpinBox& AutoSaveCount() const { return *autoSaveCount_; }

  Q_SIGNALS:
    // The list's look was stored: the result list shows it anew.
    void Applied();

  protected:
    tasks::OptionValues& Values() override { return options_.values(); }
    void Load() override;
    void Apply() override;
    void SetDefaults() override { options_.SetDefaults(cache_); }
    QWidget* FirstFocus() override;

  private:
    QWidget* BuildListGroup();
    QWidget* BuildAutoSaveGroup();
    QWidget* BuildGeneralGroup();
    void ChooseBrowser();

    core::Profile& profile_;
    core::SettingsCache& cache_;
    core::Prompter& prompter_;
    tasks::OtherOptions options_;
    QLineEdit* author_ = nullptr;
    QLineEdit* browser_ = nullptr;
    QComboBox* backgrounds_ = nullptr;
    QSpinBox* autoSaveCount_ = nullptr;
};

}  // namespace quexa::ui
