#include "ui/countdown_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace quexa::ui {

CountdownDialog::CountdownDialog(int seconds, QWidget* parent, std::chrono::milliseconds tick)
    : QDialog(parent),
      seconds_(std::max(seconds, 1)),
      tick_(std::max(tick, std::chrono::milliseconds(1))),
      bar_(new QProgressBar(this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    setAccessibleName(QString::fromLatin1(kAccessibleName));
    setModal(true);

    auto* text = new QLabel(QString::fromLatin1(kText), this);
    bar_->setRange(0, seconds_);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(QStringLiteral("Seconds before the verification"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
}

bool CountdownDialog::Run(QWidget* parent, int seconds) {
    CountdownDialog dialog(seconds, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CountdownDialog::Tick() {
    if (elapsed_ >= seconds_) {
        return;
    }
    ++elapsed_;
    bar_->setValue(elapsed_);
    if (elapsed_ >= seconds_) {
        timer_.stop();
        accept();
    }
}

// The count starts when the user can see it, not when the dialog is built.
void CountdownDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (elapsed_ < seconds_) {
        timer_.start(static_cast<int>(tick_.count()), this);
    }
}

void CountdownDialog::hideEvent(QHideEvent* event) {
    timer_.stop();
    QDialog::hideEvent(event);
}

void CountdownDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Tick();
        return;
    }
    QDialog::timerEvent(event);
}

}  // namespace quexa::ui
