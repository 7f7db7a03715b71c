#include "ui/frame_status_bar.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>

namespace quexa::ui {
namespace {

constexpr std::array<const char*, 3> kIndicators{"CAP", "NUM", "SCRL"};
constexpr std::array<const char*, 3> kIndicatorNames{"Caps Lock", "Num Lock", "Scroll Lock"};

QLabel* MakePane(const QString& text) {
    auto* label = new QLabel(text);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

}  // namespace

FrameStatusBar::FrameStatusBar(QWidget* parent)
    : QStatusBar(parent),
      message_(MakePane(QStringLiteral("Ready"))),
      blank_(MakePane(QStringLiteral(" "))) {
    setSizeGripEnabled(true);
    message_->setAccessibleName(QStringLiteral("Status"));
    message_->setAccessibleDescription(QStringLiteral("What the program does now"));
    message_->setMinimumWidth(1);
    addWidget(message_, 1);
    blank_->setFixedWidth(kBlankPaneWidth);
    addPermanentWidget(blank_);
    for (std::size_t index = 0; index < indicators_.size(); ++index) {
        // Qt does not tell the lock keys' state: the indicators stay greyed.
        QLabel* indicator = MakePane(QString::fromLatin1(kIndicators[index]));
        indicator->setEnabled(false);
        indicator->setAccessibleName(QString::fromLatin1(kIndicatorNames[index]));
        addPermanentWidget(indicator);
        indicators_[index] = indicator;
    }
    for (QProgressBar*& bar : progress_) {
        bar = new QProgressBar(this);
        bar->setRange(0, 100);
        bar->setTextVisible(false);
        bar->hide();
    }
    progress_[0]->setAccessibleName(QStringLiteral("Progress"));
    progress_[1]->setAccessibleName(QStringLiteral("Task Progress"));
}

void FrameStatusBar::SetMessage(const QString& text) {
    message_->setText(text);
}

QString FrameStatusBar::Message() const {
    return message_->text();
}

QWidget& FrameStatusBar::Pane(int pane) const {
    if (pane == 0) {
        return *message_;
    }
    if (pane == 1) {
        return *blank_;
    }
    return *indicators_[static_cast<std::size_t>(pane - 2)];
}

void FrameStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    PlaceProgressBars();
}

bool FrameStatusBar::event(QEvent* event) {
    const bool handled = QStatusBar::event(event);
    // The panes move when the bar lays them out again, not only when it is resized.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show) {
        PlaceProgressBars();
    }
    return handled;
}

void FrameStatusBar::PlaceProgressBars() {
    progress_[0]->setGeometry(message_->geometry());
    progress_[1]->setGeometry(blank_->geometry());
    for (QProgressBar* bar : progress_) {
        bar->raise();
    }
}

}  // namespace quexa::ui
