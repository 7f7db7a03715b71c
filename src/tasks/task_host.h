#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tasks/engine_state.h"

namespace quexa::tasks {

// What a task asks of the window layer: the engine bar, the status bar, the busy animation, the
// fast information bar, the wait window and the task's dialogs. Every call comes on the
// user-interface thread.
class TaskHost {
  public:
    virtual ~TaskHost() = default;

    // The engine bar's progress list; rows are found by engine name, the first of that name.
    virtual void AddEngine(std::string_view name, int expected) = 0;
    virtual void SetEngineState(std::string_view name, EngineState state) = 0;
    virtual void StepEngine(std::string_view name) = 0;
    virtual void ClearEngines() = 0;
    virtual void ShowEngineBar(bool shown) = 0;

    // Status pane 0, and the status bar's progress bar (range 0 to total, position 0, step 1).
    virtual void SetStatusText(std::string_view text) = 0;
    virtual void SetProgressRange(std::size_t total) = 0;
    virtual void StepProgress() = 0;
    virtual void ShowProgress(bool shown) = 0;
    virtual void SetBusy(bool busy) = 0;

    // The list or the current file changed.
    virtual void RefreshFastInfo() = 0;
    // Automatic scrolling: make this row the top row of the view.
    virtual void ScrollToTop(std::size_t row) = 0;

    // The wait window of a stop: open with its text, the stop progress, closed at the end.
    virtual void OpenWait(std::string_view text) = 0;
    virtual void SetWaitProgress(int position, int total) = 0;
    virtual void CloseWait() = 0;

    // A message box titled "Error:".
    virtual void ShowError(std::string_view text) = 0;
    // The automatic verification countdown ("Quexa will start verify task in 10 second.").
    // True when it ended with OK or ran out, false on Cancel.
    virtual bool RunAutoVerifyCountdown() = 0;
    // The dial-up hang-up dialog, modal.
    virtual void ShowHangUp() = 0;
    // The closing note: title "Note:", text "All task have finished!", modal.
    virtual void ShowClosingNote() = 0;
    // The "Network Resource List" dialog: every share starts ticked; the ticked ones in their
    // order on OK, nothing on Cancel. Without a dialog every share is searched.
    virtual std::vector<std::string> ConfirmNetworkResources(
        const std::vector<std::string>& shares) {
        return shares;
    }
};

}  // namespace quexa::tasks
