#pragma once

#include <QDialog>

#include <functional>

#include "core/profile.h"
#include "core/prompter.h"
#include "core/settings_cache.h"

class QPushButton;
class QTabWidget;

namespace quexa::ui {

class ExportPage;
class NetworkPage;
class OtherPage;
class VerifyPage;

// "Quexa Option": four pages, each stored by its own Apply; "Close" stores nothing.
class OptionsSheet : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Quexa Option";

    enum class Page { Network = 0, Export = 1, Verify = 2, Other = 3 };

    // The profile, the cache and the prompter outlive the sheet.
    OptionsSheet(core::Profile& profile, core::SettingsCache& cache, core::Prompter& prompter,
                 Page start = Page::Network, QWidget* parent = nullptr);

    // Modal; appearanceChanged runs whenever the Other page is applied.
    static void Run(core::Profile& profile, core::SettingsCache& cache, core::Prompter& prompter,
                    Page start, QWidget* parent, const std::function<void()>& appearanceChanged);

    QTabWidget& Pages() const { return *pages_; }
    NetworkPage& Network() const { return *network_; }
    ExportPage& Export() const { return *export_; }
    VerifyPage& Verify() const { return *verify_; }
    OtherPage& Other() const { return *other_; }
    QPushButton& CloseButton() const { return *close_; }

  Q_SIGNALS:
    // The Other page was applied: the result list re-reads its look.
    void AppearanceChanged();

  private:
    QTabWidget* pages_;
    NetworkPage* network_;
    ExportPage* export_;
    VerifyPage* verify_;
    OtherPage* other_;
    QPushButton* close_;
};

}  // namespace quexa::ui
