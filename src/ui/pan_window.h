#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPoint>
#include <QWidget>

#include "ui/pan_motion.h"

class QAbstractItemView;

namespace quexa::ui {

// Middle-button panning: a small round window marks the origin, and every 10 ms the view
// scrolls towards the pointer, sideways by pixels, up or down by one row per 100 ms. Any button
// press ends it, and so does the view losing the focus.
class PanWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kSize = 30;
    static constexpr int kPictureSize = 26;
    static constexpr int kTickInterval = 10;
    static constexpr int kRowPause = 100;

    // The view must be able to scroll in at least one of the directions.
    PanWindow(QAbstractItemView& view, bool horizontal, bool vertical);

    // At the pointer, which moves to the pan origin.
    void Start();
    void End();
    // One tick with the pointer at that offset from the origin; for the timer and for tests.
    void Step(QPoint offset);
    QPoint Origin() const { return origin_; }
    PanMotion::Pointer PointerShape() const { return pointer_; }

  Q_SIGNALS:
    void Ended();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void ShowPointer(PanMotion::Pointer pointer);

    QAbstractItemView& view_;
    const bool horizontal_;
    const bool vertical_;
    QPoint origin_;
    QBasicTimer ticks_;
    QElapsedTimer sinceRowStep_;
    PanMotion::Pointer pointer_ = PanMotion::Pointer::Neutral;
    bool running_ = false;
};

}  // namespace quexa::ui
