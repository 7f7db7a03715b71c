#include "ui/wizards/target_page.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings_table.h"
#include "ui/wizards/check_list.h"

namespace quexa::ui {
namespace {

std::optional<std::string> ChooseWithDialog(QWidget* parent) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent, QString::fromLatin1(TargetPage::kBrowseTitle));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}

}  // namespace

TargetPage::TargetPage(core::Profile& profile, core::Prompter& prompter, QWidget* parent)
    : QWizardPage(parent),
      profile_(profile),
      prompter_(prompter),
      targets_(new CheckList(QStringLiteral("Search Start Position"), 50, 350, this)),
      browse_(new QPushButton(QStringLiteral("&Browse"), this)),
      chooseFolder_(ChooseWithDialog) {
    auto* caption = new QLabel(QStringLiteral("Search &targets:"), this);
    caption->setBuddy(targets_);
    targets_->setAccessibleName(QStringLiteral("Search targets:"));
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addStretch(1);
    row->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(targets_, 1);
    ShowRows();

    connect(browse_, &QPushButton::clicked, this, [this] { Browse(); });
    connect(targets_, &CheckList::Toggled, this,
            [this](int ticked, bool on) { list_.SetTicked(static_cast<std::size_t>(ticked), on); });
    connect(targets_, &CheckList::RowChosen, this,
            [this](int chosen) { list_.SetCurrent(static_cast<std::size_t>(chosen)); });
    connect(targets_, &CheckList::MenuRequested, this, [this](const QPoint& at) { ShowMenu(at); });
}

void TargetPage::ShowRows() {
    std::vector<CheckList::Row> rows;
    for (const tasks::TargetList::Row& row : list_.rows()) {
        rows.push_back({QString::fromStdString(row.text), row.ticked});
    }
    const std::optional<std::size_t> current = list_.current();
    targets_->SetRows(rows, current ? static_cast<int>(*current) : -1);
}

void TargetPage::Browse() {
    if (const std::optional<std::string> folder = chooseFolder_(this)) {
        list_.Add(*folder);
        ShowRows();
    }
}

void TargetPage::ShowMenu(const QPoint& globalPosition) {
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Search target menu"));
    const auto add = [&](const char* text, bool enabled, void (tasks::TargetList::*command)()) {
        QAction* action = menu.addAction(QString::fromLatin1(text));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, command] {
            (list_.*command)();
            ShowRows();
        });
    };
    add("Select All", list_.CanSelectAll(), &tasks::TargetList::SelectAll);
    add("Unselect", list_.CanUnselect(), &tasks::TargetList::Unselect);
    add("Reverse Select", true, &tasks::TargetList::ReverseSelect);
    menu.addSeparator();
    add("Remove", list_.CanRemove(), &tasks::TargetList::Remove);
    add("Remove Selected", list_.CanRemoveSelected(), &tasks::TargetList::RemoveSelected);
    add("Remove All", list_.CanRemoveAll(), &tasks::TargetList::RemoveAll);
    menu.exec(globalPosition);
}

bool TargetPage::validatePage() {
    const std::optional<std::string> text = list_.TargetText();
    if (!text) {
        prompter_.Tell(core::Prompter::Title::Warning, tasks::TargetList::kNoTarget);
        return false;
    }
    core::settings::kLastSearchTarget.Write(profile_, *text);
    return true;
}

}  // namespace quexa::ui
