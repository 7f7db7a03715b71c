#pragma once

#include "core/profile.h"
#include "tasks/export_options.h"
#include "ui/options/option_page.h"

class QLineEdit;

namespace quexa::ui {

// "Export Rule": which items the seemly exports take, which fields they carry and the texts
// before the fields.
class ExportPage : public OptionPage {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Export Rule";

    explicit ExportPage(core::Profile& profile, QWidget* parent = nullptr);

    QLineEdit& TitlePrefix() const { return *titlePrefix_; }

  protected:
    tasks::OptionValues& Values() override { return options_.values(); }
    void Load() override { options_.Load(profile_); }
    void Apply() override { options_.Apply(profile_); }
    void SetDefaults() override { options_.SetDefaults(); }
    QWidget* FirstFocus() override;

  private:
    QWidget* BuildRuleGroup();
    QWidget* BuildFieldGroup();

    core::Profile& profile_;
    tasks::ExportOptions options_;
    QLineEdit* titlePrefix_ = nullptr;
};

}  // namespace quexa::ui
