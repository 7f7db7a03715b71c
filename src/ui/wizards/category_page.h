#pragma once

#include <QWizardPage>

#include "core/profile.h"
#include "tasks/search_wizard.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace quexa::ui {

// Internet step 1: the categories with their icons and the chosen one's note. Next stores it.
class CategoryPage : public QWizardPage {
    Q_OBJECT

  public:
    CategoryPage(tasks::SearchWizard& wizard, core::Profile& profile, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

    QComboBox* Categories() const { return categories_; }
    QLabel* Note() const { return note_; }
    QPushButton* UpdateButton() const { return update_; }

  private:
    void ShowNote(int index);

    tasks::SearchWizard& wizard_;
    core::Profile& profile_;
    QComboBox* categories_;
    QLabel* note_;
    QPushButton* update_;
    bool filled_ = false;
};

}  // namespace quexa::ui
