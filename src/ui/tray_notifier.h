#pragma once

#include <QBasicTimer>
#include <QIcon>
#include <QObject>
#include <QString>

#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

#include "ui/tray_icon.h"

namespace quexa::ui {

// A notification-area icon that steps through its frames on a timer while it is shown. Qt's tray
// icon belongs to the user-interface thread, so the notifier lives there too.
class TrayNotifier : public QObject {
    Q_OBJECT

  public:
    static constexpr std::chrono::milliseconds kViewInterval{300};
    static constexpr const char* kViewTip = "Quexa 1.03";

    TrayNotifier(std::unique_ptr<TrayIcon> icon, QObject* parent = nullptr);
    ~TrayNotifier() override;

    // The result view's notifier: Quexa's four frames, the view's interval (the animation
    // runs) and tip; never shown unless asked. It ends with the view.
    static TrayNotifier* CreateForView(QObject* view, std::unique_ptr<TrayIcon> icon);
    // The frames drawn for Quexa, in their order: the lens swings left and right.
    static std::vector<QIcon> QuexaFrames();

    // Puts the icon in the notification area with the next frame; stays hidden when the desktop
    // has no notification area.
    void Show();
    void Hide();
    void StartAnimation();
    void StopAnimation();
    // No frames leaves the icon as it is.
    void SetFrames(std::vector<QIcon> frames);
    // Restarts the animation with the new interval.
    void SetInterval(std::chrono::milliseconds interval);
    // Reaches the shown icon with its next update.
    void SetTip(const QString& tip);

    // One step of the animation; the timer calls it, tests may too.
    void Tick();

    bool Shown() const { return shown_; }
    bool Animating() const { return timer_.isActive(); }
    std::chrono::milliseconds Interval() const { return interval_; }
    std::size_t FrameCount() const { return frames_.size(); }
    std::size_t NextFrame() const { return next_; }
    const QString& Tip() const { return tip_; }

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    void Update();

    std::unique_ptr<TrayIcon> icon_;
    std::vector<QIcon> frames_;
    std::size_t next_ = 0;
    std::chrono::milliseconds interval_{0};
    QString tip_;
    bool shown_ = false;
    QBasicTimer timer_;
};

}  // namespace quexa::ui
