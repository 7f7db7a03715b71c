#pragma once

#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <functional>
#include <string_view>

#include "tasks/task_host.h"

namespace quexa::ui {

class BusyAnimation;
class EngineBar;
class FrameStatusBar;
class QtPrompter;
class WaitWindow;

// What a task asks of the window: the engine bar, the status bar's message and progress bar,
// the toolbar's busy animation, the wait window of a stop and the task's dialogs. The frame
// hands in its parts; what only the frame can do (show a bar, refresh the fast information,
// scroll the list) goes through its callbacks.
class QtTaskHost : public tasks::TaskHost {
  public:
    struct Parts {
        EngineBar& engineBar;
        FrameStatusBar& statusBar;
        BusyAnimation& busy;
        WaitWindow& wait;
        QtPrompter& prompter;
        // The task's dialogs open over it.
        QWidget* dialogParent = nullptr;
        std::function<void(bool)> showEngineBar;
        // The list, the current file or the task's state changed: the fast information bar
        // and the commands' states are refreshed (once per turn of the event loop).
        std::function<void()> stateChanged;
        std::function<void(std::size_t)> scrollToTop;
    };
    static constexpr int kCountdownSeconds = 10;
    // The status bar's progress bar a task uses: the one over the blank pane, so that the
    // message stays readable beside it.
    static constexpr int kTaskProgressPane = 1;

    explicit QtTaskHost(Parts parts);

    void AddEngine(std::string_view name, int expected) override;
    void SetEngineState(std::string_view name, tasks::EngineState state) override;
    void StepEngine(std::string_view name) override;
    void ClearEngines() override;
    void ShowEngineBar(bool shown) override;

    void SetStatusText(std::string_view text) override;
    void SetProgressRange(std::size_t total) override;
    void StepProgress() override;
    void ShowProgress(bool shown) override;
    void SetBusy(bool busy) override;

    void RefreshFastInfo() override;
    void ScrollToTop(std::size_t row) override;

    void OpenWait(std::string_view text) override;
    void SetWaitProgress(int position, int total) override;
    void CloseWait() override;

    void ShowError(std::string_view text) override;
    bool RunAutoVerifyCountdown() override;
    void ShowHangUp() override;
    void ShowClosingNote() override;
    std::vector<std::string> ConfirmNetworkResources(
        const std::vector<std::string>& shares) override;

    bool busy() const { return busy_; }

  private:
    Parts parts_;
    bool busy_ = false;
};

}  // namespace quexa::ui
