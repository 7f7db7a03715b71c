#pragma once

#include <QBasicTimer>
#include <QDialog>

#include <chrono>

class QProgressBar;

namespace quexa::ui {

// The note before an automatic verification: a bar fills once a second and, when it is full,
// the dialog ends as if OK had been pressed. Cancel, Escape and the close box end it as Cancel.
class CountdownDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Note:";
    static constexpr const char* kText = "Quexa will start verify task in 10 second.";
    // The visible title is shared with other notes; screen readers and tests need a unique one.
    static constexpr const char* kAccessibleName = "Automatic Verification";
    static constexpr std::chrono::milliseconds kTick{1000};

    // A shorter tick serves tests; the dialog counts `seconds` ticks (at least one).
    CountdownDialog(int seconds, QWidget* parent = nullptr, std::chrono::milliseconds tick = kTick);

    // Modal; true when it ended with OK or ran out, false on Cancel (or Escape/close).
    static bool Run(QWidget* parent, int seconds = 10);

    // One step of the count; the timer calls it, tests may too.
    void Tick();
    int Elapsed() const { return elapsed_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    const int seconds_;
    const std::chrono::milliseconds tick_;
    int elapsed_ = 0;
    QProgressBar* bar_;
    QBasicTimer timer_;
};

}  // namespace quexa::ui
