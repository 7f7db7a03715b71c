#include "ui/hang_up_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace quexa::ui {

HangUpDialog::HangUpDialog(tasks::DialUpConnections& connections, QWidget* parent,
                           std::chrono::milliseconds tick)
    : QDialog(parent),
      countdown_(connections),
      tick_(std::max(tick, std::chrono::milliseconds(1))),
      bar_(new QProgressBar(this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setModal(true);

    auto* text = new QLabel(QString::fromLatin1(kText), this);
    bar_->setRange(0, tasks::HangUpCountdown::kTicks);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(QStringLiteral("Seconds before the hang-up"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* hangUp =
        buttons->addButton(QString::fromLatin1(kHangUp), QDialogButtonBox::AcceptRole);
    hangUp->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &HangUpDialog::HangUpNow);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
}

HangUpDialog::Outcome HangUpDialog::Run(tasks::DialUpConnections& connections, QWidget* parent,
                                        std::chrono::milliseconds tick) {
    HangUpDialog dialog(connections, parent, tick);
    if (!dialog.countdown_.Start()) {
        return Outcome::NothingToHangUp;
    }
    if (dialog.exec() == QDialog::Accepted) {
        return Outcome::HungUp;
    }
    dialog.countdown_.Cancel();
    return Outcome::Cancelled;
}

void HangUpDialog::Tick() {
    if (countdown_.Finished()) {
        return;
    }
    const bool ranOut = countdown_.Tick();
    bar_->setValue(countdown_.Elapsed());
    if (ranOut) {
        timer_.stop();
        accept();
    }
}

void HangUpDialog::HangUpNow() {
    timer_.stop();
    countdown_.HangUpNow();
    accept();
}

// The count starts when the user can see it, not when the dialog is built.
void HangUpDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!countdown_.Finished()) {
        timer_.start(static_cast<int>(tick_.count()), this);
    }
}

void HangUpDialog::hideEvent(QHideEvent* event) {
    timer_.stop();
    QDialog::hideEvent(event);
}

void HangUpDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Tick();
        return;
    }
    QDialog::timerEvent(event);
}

}  // namespace quexa::ui
