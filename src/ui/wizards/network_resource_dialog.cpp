#include "ui/wizards/network_resource_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include "ui/wizards/check_list.h"

namespace quexa::ui {

NetworkResourceDialog::NetworkResourceDialog(const std::vector<std::string>& shares,
                                             QWidget* parent)
    : QDialog(parent),
      names_(shares),
      shares_(new CheckList(QStringLiteral("Network Resource"), 26, 500, this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* caption = new QLabel(QStringLiteral("System will search following entry:"), this);
    caption->setBuddy(shares_);
    shares_->setAccessibleName(QStringLiteral("System will search following entry:"));
    std::vector<CheckList::Row> rows;
    for (const std::string& share : shares) {
        rows.push_back({QString::fromStdString(share), true});
    }
    shares_->SetRows(rows, -1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The list keeps 10 pixels free left and right, 30 above and 40 below, also when resized.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addWidget(caption);
    layout->addWidget(shares_, 1);
    layout->addWidget(buttons);
    resize(560, 360);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(shares_, &CheckList::MenuRequested, this, [this](const QPoint& at) { ShowMenu(at); });
}

std::vector<std::string> NetworkResourceDialog::Ticked() const {
    std::vector<std::string> ticked;
    const std::vector<bool> ticks = shares_->Ticks();
    for (std::size_t row = 0; row < ticks.size() && row < names_.size(); ++row) {
        if (ticks[row]) {
            ticked.push_back(names_[row]);
        }
    }
    return ticked;
}

void NetworkResourceDialog::SetAll(const std::function<bool(bool)>& tick) {
    const std::vector<bool> ticks = shares_->Ticks();
    std::vector<CheckList::Row> rows;
    for (std::size_t row = 0; row < ticks.size(); ++row) {
        rows.push_back({QString::fromStdString(names_[row]), tick(ticks[row])});
    }
    shares_->SetRows(rows, shares_->CurrentRow());
}

void NetworkResourceDialog::ShowMenu(const QPoint& globalPosition) {
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Network resource menu"));
    connect(menu.addAction(QStringLiteral("Select All")), &QAction::triggered, this,
            [this] { SetAll([](bool) { return true; }); });
    connect(menu.addAction(QStringLiteral("Unselect")), &QAction::triggered, this,
            [this] { SetAll([](bool) { return false; }); });
    connect(menu.addAction(QStringLiteral("Reverse Select")), &QAction::triggered, this,
            [this] { SetAll([](bool ticked) { return !ticked; }); });
    menu.exec(globalPosition);
}

std::vector<std::string> NetworkResourceDialog::Confirm(const std::vector<std::string>& shares,
                                                        QWidget* parent) {
    NetworkResourceDialog dialog(shares, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Ticked() : std::vector<std::string>();
}

}  // namespace quexa::ui
