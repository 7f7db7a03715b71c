#include "ui/wizards/history_box.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/picture_book.h"

namespace quexa::ui {

HistoryBox::HistoryBox(tasks::QueryPage page, core::Profile& profile, const QString& label,
                       QWidget* parent)
    : QWidget(parent),
      page_(page),
      profile_(profile),
      box_(new QComboBox(this)),
      clear_(new QPushButton(QStringLiteral("Clear History"), this)) {
    box_->setEditable(true);
    // Enter finishes the wizard; it must not put the text into the list as well.
    box_->setInsertPolicy(QComboBox::NoInsert);
    box_->setMinimumContentsLength(30);
    box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(box_);
    box_->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    clear_->setEnabled(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(box_, 1);
    layout->addWidget(clear_);
    connect(clear_, &QPushButton::clicked, this, [this] { ClearHistory(); });
}

void HistoryBox::Fill() {
    shown_ = page_.History(profile_);
    const QIcon icon(
        PictureBook::Picture(QStringLiteral("wizard_history"), QSize(16, 16), devicePixelRatioF()));
    box_->clear();
    for (const std::string& entry : shown_) {
        box_->addItem(icon, QString::fromStdString(entry));
    }
    clear_->setEnabled(!shown_.empty());
    if (!shown_.empty()) {
        box_->setCurrentIndex(0);
    }
    box_->setEditText(QString::fromStdString(page_.LastQuery(profile_)));
}

std::optional<std::string> HistoryBox::Finish() {
    return page_.Finish(profile_, box_->currentText().toStdString(), shown_);
}

void HistoryBox::ClearHistory() {
    page_.ClearHistory(profile_);
    const QString text = box_->currentText();
    shown_.clear();
    box_->clear();
    box_->setEditText(text);
    clear_->setEnabled(false);
}

}  // namespace quexa::ui
