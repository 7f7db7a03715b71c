#pragma once

#include <QWizardPage>

#include <functional>
#include <string>

#include "core/profile.h"
#include "tasks/search_wizard.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace quexa::ui {

// Internet step 2: the schemes of the chosen category, the system scheme first, with the
// chosen one's note; refilled every time the page is shown. Leaving it stores the scheme.
class SchemePage : public QWizardPage {
    Q_OBJECT

  public:
    // Opens the scheme editor for a category's directory; true when it ended with OK.
    using Configure = std::function<bool(QWidget* parent, const std::string& directory)>;

    SchemePage(tasks::SearchWizard& wizard, core::Profile& profile, QWidget* parent = nullptr);

    void SetConfigure(Configure configure) { configure_ = std::move(configure); }

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

    QListWidget* Schemes() const { return schemes_; }
    QLabel* Note() const { return note_; }
    QPushButton* ConfigureButton() const { return configureButton_; }

  private:
    void Refill();
    void ShowNote(int row);
    void StoreScheme();
    void RunConfigure();

    tasks::SearchWizard& wizard_;
    core::Profile& profile_;
    QListWidget* schemes_;
    QLabel* note_;
    QPushButton* configureButton_;
    Configure configure_;
};

}  // namespace quexa::ui
