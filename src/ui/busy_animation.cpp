#include "ui/busy_animation.h"

#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

const QSize kFrameSize(70, 63);
const QSize kLensSize(30, 30);
// How far the lens's centre strays from the middle of the page.
constexpr double kOrbit = 8.0;

}  // namespace

BusyAnimation::BusyAnimation(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Busy"));
}

QSize BusyAnimation::sizeHint() const {
    return kFrameSize;
}

void BusyAnimation::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // A smaller place (the toolbar's) shrinks the whole picture.
    const qreal fit =
        std::min({1.0, qreal(width()) / kFrameSize.width(), qreal(height()) / kFrameSize.height()});
    painter.translate((width() - kFrameSize.width() * fit) / 2,
                      (height() - kFrameSize.height() * fit) / 2);
    painter.scale(fit, fit);
    const qreal scale = devicePixelRatioF() * fit;
    painter.drawPixmap(QPoint(0, 0),
                       PictureBook::Picture(QStringLiteral("busy_page"), kFrameSize, scale));
    const double angle = 2.0 * std::numbers::pi * frame_ / kFrameCount;
    const QPointF centre(kFrameSize.width() / 2.0 + kOrbit * std::cos(angle),
                         kFrameSize.height() / 2.0 + kOrbit * std::sin(angle));
    // The glass's lens sits in the upper left of its picture.
    const QPointF lensCentre(12.0, 12.0);
    painter.drawPixmap((centre - lensCentre).toPoint(),
                       PictureBook::Picture(QStringLiteral("busy_lens"), kLensSize, scale));
}

void BusyAnimation::SetRunning(bool running) {
    running_ = running;
    if (!running) {
        timer_.stop();
        frame_ = 0;
        update();
    } else if (isVisible()) {
        timer_.start(kFrameInterval, this);
    }
}

void BusyAnimation::showEvent(QShowEvent* /*event*/) {
    if (running_) {
        timer_.start(kFrameInterval, this);
    }
}

void BusyAnimation::hideEvent(QHideEvent* /*event*/) {
    timer_.stop();
}

void BusyAnimation::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    frame_ = (frame_ + 1) % kFrameCount;
    update();
}

}  // namespace quexa::ui
