#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace quexa::ui {

// The wait window's busy animation: a magnifying glass circling over a page of results. It
// advances one frame every 150 ms while it is shown.
class BusyAnimation : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFrameCount = 8;
    static constexpr int kFrameInterval = 150;

    explicit BusyAnimation(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    int Frame() const { return frame_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    QBasicTimer timer_;
    int frame_ = 0;
};

}  // namespace quexa::ui
