#include "ui/wait_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimerEvent>

#include <limits>
#include <utility>

#include "ui/busy_animation.h"

namespace quexa::ui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A progress bar counts in int: larger totals are scaled down together with the position.
std::pair<int, int> BarRange(std::uint64_t position, std::uint64_t total) {
    constexpr std::uint64_t kLimit = std::numeric_limits<int>::max();
    std::uint64_t divisor = 1;
    while (total / divisor > kLimit) {
        divisor *= 2;
    }
    const std::uint64_t shown = position < total ? position : total;
    return {static_cast<int>(shown / divisor), static_cast<int>(total / divisor)};
}

}  // namespace

WaitWindow::WaitWindow(core::WaitState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      state_(state),
      text_(new QLabel(FromUtf8(core::WaitState::kDefaultText), this)),
      animation_(new BusyAnimation(this)),
      progress_(new QProgressBar(this)),
      counter_(new QLabel(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setWindowTitle(FromUtf8(kFixedTitle));
    setAccessibleName(FromUtf8(kFixedTitle));
    text_->setAccessibleDescription(QStringLiteral("What the work is doing"));
    text_->setWordWrap(true);
    text_->setMinimumWidth(300);
    progress_->setAccessibleName(QStringLiteral("Progress"));
    progress_->setTextVisible(false);
    counter_->setAccessibleDescription(QStringLiteral("Units done of the total"));
    counter_->setMinimumWidth(
        counter_->fontMetrics().horizontalAdvance(QStringLiteral("(0000/0000)")));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress_, 1);
    bottom->addWidget(counter_);
    // Keeps Cancel at the right while the bar is hidden.
    bottom->addStretch();
    bottom->addWidget(cancel_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(animation_, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(text_, 0, 1);
    layout->addLayout(bottom, 1, 1);
    layout->setHorizontalSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cancel_, &QPushButton::clicked, this, &WaitWindow::Cancel);
    poll_.start(kPollInterval, this);
}

void WaitWindow::Open(core::WaitState::Settings settings) {
    state_.Open(std::move(settings));
    Poll();
}

void WaitWindow::SetProgress(std::uint64_t position, std::uint64_t total) {
    state_.SetTotal(total);
    state_.SetPosition(position);
}

void WaitWindow::Close() {
    state_.Close();
    Poll();
}

void WaitWindow::Poll() {
    const core::WaitState::Snapshot snapshot = state_.Read();
    if (!snapshot.open) {
        shownGeneration_ = 0;
        if (isVisible()) {
            hide();
        }
        return;
    }
    if (snapshot.generation != shownGeneration_) {
        Begin(snapshot);
    }
    Follow(snapshot);
}

void WaitWindow::Begin(const core::WaitState::Snapshot& snapshot) {
    shownGeneration_ = snapshot.generation;
    setWindowTitle(snapshot.caption.empty() ? FromUtf8(kFixedTitle) : FromUtf8(snapshot.caption));
    // Without the button the bar takes its place up to the right edge.
    cancel_->setVisible(snapshot.showCancel);
    counter_->clear();
    if (!isVisible()) {
        show();
        raise();
    }
}

void WaitWindow::Follow(const core::WaitState::Snapshot& snapshot) {
    const QString text =
        snapshot.text.empty() ? FromUtf8(core::WaitState::kDefaultText) : FromUtf8(snapshot.text);
    if (text_->text() != text) {
        text_->setText(text);
    }
    const bool counting = snapshot.total != 0;
    progress_->setVisible(counting);
    counter_->setVisible(counting && snapshot.showCounter);
    if (!counting) {
        return;
    }
    const auto [value, maximum] = BarRange(snapshot.position, snapshot.total);
    progress_->setRange(0, maximum);
    progress_->setValue(value);
    if (snapshot.showCounter) {
        counter_->setText(QStringLiteral("(%1/%2)").arg(snapshot.position).arg(snapshot.total));
    }
}

void WaitWindow::Cancel() {
    state_.Cancel();
}

void WaitWindow::reject() {
    // Escape is the Cancel button; the window stays until the work closes it.
    if (cancel_->isVisible()) {
        Cancel();
    }
}

void WaitWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    reject();
}

void WaitWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == poll_.timerId()) {
        Poll();
        return;
    }
    QDialog::timerEvent(event);
}

}  // namespace quexa::ui
