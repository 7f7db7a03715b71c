#pragma once

#include <QBasicTimer>
#include <QWidget>

namespace quexa::ui {

// The busy animation of the wait window and the toolbar: a magnifying glass circling over a
// page of results. It advances one frame every 150 ms while it is shown and running.
class BusyAnimation : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFrameCount = 8;
    static constexpr int kFrameInterval = 150;

    explicit BusyAnimation(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    int Frame() const { return frame_; }
    // Stopped, it shows its first frame; it runs by default.
    void SetRunning(bool running);
    bool Running() const { return running_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    QBasicTimer timer_;
    int frame_ = 0;
    bool running_ = true;
};

}  // namespace quexa::ui
