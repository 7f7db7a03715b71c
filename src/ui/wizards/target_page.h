#pragma once

#include <QWizardPage>

#include <functional>
#include <optional>
#include <string>

#include "core/profile.h"
#include "core/prompter.h"
#include "tasks/target_list.h"

class QPushButton;

namespace quexa::ui {

class CheckList;

// Intranet step 1: where to search. "All Intranet Resource" first, folders added with Browse,
// the popup commands over the ticks; Next stores the ticked targets.
class TargetPage : public QWizardPage {
    Q_OBJECT

  public:
    static constexpr const char* kBrowseTitle = "Path";
    // A folder the person chose; nothing on Cancel.
    using ChooseFolder = std::function<std::optional<std::string>(QWidget* parent)>;

    TargetPage(core::Profile& profile, core::Prompter& prompter, QWidget* parent = nullptr);

    // Tests answer the folder browser themselves.
    void SetChooseFolder(ChooseFolder choose) { chooseFolder_ = std::move(choose); }

    bool validatePage() override;

    CheckList* Targets() const { return targets_; }
    QPushButton* BrowseButton() const { return browse_; }
    const tasks::TargetList& Rows() const { return list_; }
    // The popup menu as it stands for the current rows, at a point on the screen.
    void ShowMenu(const QPoint& globalPosition);

  private:
    void Browse();
    void ShowRows();

    core::Profile& profile_;
    core::Prompter& prompter_;
    tasks::TargetList list_;
    CheckList* targets_;
    QPushButton* browse_;
    ChooseFolder chooseFolder_;
};

}  // namespace quexa::ui
