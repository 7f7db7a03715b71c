#pragma once

#include "core/profile.h"
#include "core/prompter.h"
#include "tasks/verify_options.h"
#include "ui/options/option_page.h"

namespace quexa::ui {

// "Verify Rule": which items a verification checks and which it deletes afterwards.
class VerifyPage : public OptionPage {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Verify Rule";

    VerifyPage(core::Profile& profile, core::Prompter& prompter, QWidget* parent = nullptr);

  protected:
    tasks::OptionValues& Values() override { return options_.values(); }
    void Load() override { options_.Load(profile_); }
    void Apply() override;
    void SetDefaults() override { options_.SetDefaults(); }

  private:
    QWidget* BuildVerifyGroup();
    QWidget* BuildDeleteGroup();

    core::Profile& profile_;
    core::Prompter& prompter_;
    tasks::VerifyOptions options_;
};

}  // namespace quexa::ui
