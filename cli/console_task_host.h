#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/progress_line.h"
#include "tasks/engine_progress_list.h"
#include "tasks/task_host.h"

namespace quexa::cli {

// The window layer of a task without windows: the engine bar and the status bar become one
// progress line, the wait window and the task's messages go to stderr, and the automatic
// verification starts without its countdown.
class ConsoleTaskHost : public tasks::TaskHost {
  public:
    explicit ConsoleTaskHost(ProgressLine& line) : line_(line) {}

    void AddEngine(std::string_view name, int expected) override;
    void SetEngineState(std::string_view name, tasks::EngineState state) override;
    void StepEngine(std::string_view name) override;
    void ClearEngines() override;
    void ShowEngineBar(bool shown) override;

    void SetStatusText(std::string_view text) override;
    void SetProgressRange(std::size_t total) override;
    void StepProgress() override;
    void ShowProgress(bool shown) override;
    void SetBusy(bool /*busy*/) override {}

    void RefreshFastInfo() override {}
    void ScrollToTop(std::size_t /*row*/) override {}

    void OpenWait(std::string_view text) override;
    void SetWaitProgress(int position, int total) override;
    void CloseWait() override;

    void ShowError(std::string_view text) override;
    bool RunAutoVerifyCountdown() override { return true; }
    void ShowHangUp() override;
    void ShowClosingNote() override;

    // Whether a task reported an error, so that the command can end with a failure.
    bool errorShown() const { return errorShown_; }
    const tasks::EngineProgressList& engines() const { return engines_; }

    // "Engines 3/9 done, 2 running, 27 items" for a search's engine rows.
    static std::string SearchProgressText(const tasks::EngineProgressList& engines);

  private:
    void ShowSearchProgress();
    void ShowVerifyProgress();

    ProgressLine& line_;
    tasks::EngineProgressList engines_;
    std::size_t verifyTotal_ = 0;
    std::size_t verifyDone_ = 0;
    std::string statusText_;
    bool errorShown_ = false;
};

}  // namespace quexa::cli
