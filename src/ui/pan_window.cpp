#include "ui/pan_window.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QTimerEvent>
#include <QTransform>

#include <algorithm>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

// The pointer moves this far up and left to the origin at the start and back at the end.
const QPoint kPointerShift(15, 15);

QString PictureFor(bool horizontal, bool vertical) {
    if (horizontal && vertical) {
        return QStringLiteral("pan_both");
    }
    return horizontal ? QStringLiteral("pan_horizontal") : QStringLiteral("pan_vertical");
}

QCursor CursorFor(PanMotion::Pointer pointer) {
    if (pointer == PanMotion::Pointer::Neutral) {
        const QPixmap picture = PictureBook::Picture(
            QStringLiteral("pan_both"), QSize(PanWindow::kPictureSize, PanWindow::kPictureSize));
        return QCursor(picture, PanWindow::kPictureSize / 2, PanWindow::kPictureSize / 2);
    }
    int degrees = 0;
    switch (pointer) {
        case PanMotion::Pointer::Right:
            degrees = 90;
            break;
        case PanMotion::Pointer::Down:
            degrees = 180;
            break;
        case PanMotion::Pointer::Left:
            degrees = 270;
            break;
        default:
            break;
    }
    const QPixmap arrow = PictureBook::Picture(QStringLiteral("pan_arrow"), QSize(32, 32))
                              .transformed(QTransform().rotate(degrees));
    return QCursor(arrow, arrow.width() / 2, arrow.height() / 2);
}

}  // namespace

PanWindow::PanWindow(QAbstractItemView& view, bool horizontal, bool vertical)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      view_(view),
      horizontal_(horizontal),
      vertical_(vertical) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kSize, kSize);
    setMask(QRegion(2, 2, 27, 27, QRegion::Ellipse));
    setAccessibleName(QStringLiteral("Panning"));
    sinceRowStep_.start();
}

void PanWindow::Start() {
    origin_ = QCursor::pos() - kPointerShift;
    QCursor::setPos(origin_);
    move(origin_ - QPoint(kSize / 2, kSize / 2));
    show();
    grabMouse();
    ShowPointer(PanMotion::Pointer::Neutral);
    sinceRowStep_.start();
    running_ = true;
    ticks_.start(kTickInterval, this);
}

void PanWindow::End() {
    if (!running_) {
        return;
    }
    running_ = false;
    ticks_.stop();
    releaseMouse();
    QCursor::setPos(QCursor::pos() + kPointerShift);
    hide();
    Q_EMIT Ended();
}

void PanWindow::Step(QPoint offset) {
    const PanMotion motion = PanMotion::From(offset);
    ShowPointer(motion.pointer);
    if (motion.distance == 0) {
        return;
    }
    if (motion.Horizontal()) {
        if (horizontal_) {
            QScrollBar* bar = view_.horizontalScrollBar();
            const int step =
                motion.direction == PanMotion::Direction::Left ? -motion.distance : motion.distance;
            bar->setValue(std::clamp(bar->value() + step, 0, bar->maximum()));
        }
        return;
    }
    if (!vertical_ || sinceRowStep_.elapsed() < kRowPause) {
        return;
    }
    sinceRowStep_.restart();
    // The list scrolls by rows: the scroll bar's value is the top row.
    QScrollBar* bar = view_.verticalScrollBar();
    const int step = motion.direction == PanMotion::Direction::Up ? -1 : 1;
    bar->setValue(std::clamp(bar->value() + step, 0, bar->maximum()));
}

void PanWindow::ShowPointer(PanMotion::Pointer pointer) {
    if (pointer_ == pointer && running_) {
        return;
    }
    pointer_ = pointer;
    setCursor(CursorFor(pointer));
}

void PanWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPixmap picture = PictureBook::Picture(
        PictureFor(horizontal_, vertical_), QSize(kPictureSize, kPictureSize), devicePixelRatioF());
    const int inset = (kSize - kPictureSize) / 2;
    painter.drawPixmap(inset, inset, picture);
}

void PanWindow::mousePressEvent(QMouseEvent* /*event*/) {
    End();
}

void PanWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() != ticks_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    Step(QCursor::pos() - origin_);
}

}  // namespace quexa::ui
