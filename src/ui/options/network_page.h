#pragma once

#include "core/profile.h"
#include "core/settings_cache.h"
#include "tasks/network_options.h"
#include "ui/options/option_page.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;

namespace quexa::ui {

// "Network and Performance": the line type, the verify and search time-outs and the proxy.
class NetworkPage : public OptionPage {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Network and Performance";

    NetworkPage(core::Profile& profile, core::SettingsCache& cache, QWidget* parent = nullptr);

    QSlider& VerifySlider() const { return *verifySlider_; }
    QSlider& SearchSlider() const { return *searchSlider_; }
    QLabel& VerifyText() const { return *verifyText_; }
    QLabel& SearchText() const { return *searchText_; }
    QCheckBox& UseProxy() const { return *useProxy_; }
    QLineEdit& Server() const { return *server_; }
    QLineEdit& Port() const { return *port_; }

  protected:
    tasks::OptionValues& Values() override { return options_.values(); }
    void Load() override { options_.Load(profile_); }
    void Apply() override { options_.Apply(profile_, cache_); }
    void SetDefaults() override { options_.SetDefaults(); }

  private:
    QWidget* BuildLineGroup();
    QWidget* BuildTimeoutGroup();
    QWidget* BuildProxyGroup();
    QSlider* AddSlider(QGridLayout* grid, int row, const QString& caption, QLabel* text);
    void ShowProxyEnabled() const;

    core::Profile& profile_;
    core::SettingsCache& cache_;
    tasks::NetworkOptions options_;
    QLabel* verifyText_;
    QLabel* searchText_;
    QSlider* verifySlider_ = nullptr;
    QSlider* searchSlider_ = nullptr;
    QCheckBox* useProxy_ = nullptr;
    QLineEdit* server_ = nullptr;
    QLineEdit* port_ = nullptr;
};

}  // namespace quexa::ui
