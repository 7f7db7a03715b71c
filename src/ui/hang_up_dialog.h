#pragma once

#include <QBasicTimer>
#include <QDialog>

#include <chrono>

#include "tasks/hang_up_countdown.h"

class QProgressBar;

namespace quexa::ui {

// Ends the dial-up network connections after a task: a bar fills once a second and, when it is
// full, every connection is hung up. "Hang Up" does it at once; Cancel, Escape and the close box
// hang up nothing.
class HangUpDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Auto Hang up dial network";
    static constexpr const char* kText = "The Dial Network will be hang up in 10 miute!";
    static constexpr const char* kHangUp = "Hang Up";
    static constexpr std::chrono::milliseconds kTick{1000};

    enum class Outcome { NothingToHangUp, HungUp, Cancelled };

    // A shorter tick serves tests.
    HangUpDialog(tasks::DialUpConnections& connections, QWidget* parent = nullptr,
                 std::chrono::milliseconds tick = kTick);

    // Modal; with no active connection it is never shown.
    static Outcome Run(tasks::DialUpConnections& connections, QWidget* parent,
                       std::chrono::milliseconds tick = kTick);

    // One step of the count; the timer calls it, tests may too.
    void Tick();
    int Elapsed() const { return countdown_.Elapsed(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void HangUpNow();

    tasks::HangUpCountdown countdown_;
    const std::chrono::milliseconds tick_;
    QProgressBar* bar_;
    QBasicTimer timer_;
};

}  // namespace quexa::ui
