#pragma once

#include <QBasicTimer>
#include <QDialog>

#include <cstdint>
#include <string_view>

#include "core/wait_state.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace quexa::ui {

class BusyAnimation;

// The wait window of long work on the user-interface thread. It watches one WaitState every
// 100 ms: it shows itself when the state opens (whoever opened it), follows its text and
// progress, and hides when the state closes. The work keeps it painting by processing pending
// events between its steps. Cancel only sets the state's flag: the window stays until the work
// closes the state.
class WaitWindow : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kPollInterval = 100;
    static constexpr std::string_view kFixedTitle = "Quexa - Please Stand By";

    // The state must outlive the window.
    explicit WaitWindow(core::WaitState& state, QWidget* parent = nullptr);

    // What a task asks of its window layer: the state opened and the window shown at once.
    void Open(core::WaitState::Settings settings);
    // A total of 0 hides the progress bar and the counter.
    void SetProgress(std::uint64_t position, std::uint64_t total);
    // Closing twice, or a window that never opened, does nothing.
    void Close();

    // Reads the state now instead of at the next tick.
    void Poll();

    core::WaitState& State() { return state_; }

  public Q_SLOTS:
    void reject() override;

  protected:
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // A new opening of the state: the caption, the buttons and the bar as it asks.
    void Begin(const core::WaitState::Snapshot& snapshot);
    void Follow(const core::WaitState::Snapshot& snapshot);
    void Cancel();

    core::WaitState& state_;
    QBasicTimer poll_;
    std::uint64_t shownGeneration_ = 0;
    QLabel* text_;
    BusyAnimation* animation_;
    QProgressBar* progress_;
    QLabel* counter_;
    QPushButton* cancel_;
};

}  // namespace quexa::ui
