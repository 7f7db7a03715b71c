#pragma once

#include <cstddef>
#include <string_view>

#include "tasks/task_host.h"

namespace quexa::testing {

// A window layer that shows nothing and answers the countdown with Cancel. It only counts what
// tests and benchmarks check cheaply.
class NullTaskHost : public tasks::TaskHost {
  public:
    void AddEngine(std::string_view, int) override {}
    void SetEngineState(std::string_view, tasks::EngineState) override {}
    void StepEngine(std::string_view) override {}
    void ClearEngines() override {}
    void ShowEngineBar(bool) override {}
    void SetStatusText(std::string_view) override {}
    void SetProgressRange(std::size_t) override {}
    void StepProgress() override { ++progressSteps; }
    void ShowProgress(bool) override {}
    void SetBusy(bool) override {}
    void RefreshFastInfo() override { ++fastInfoRefreshes; }
    void ScrollToTop(std::size_t) override {}
    void OpenWait(std::string_view) override {}
    void SetWaitProgress(int, int) override {}
    void CloseWait() override {}
    void ShowError(std::string_view) override { ++errors; }
    bool RunAutoVerifyCountdown() override { return false; }
    void ShowHangUp() override {}
    void ShowClosingNote() override { ++closingNotes; }

    int progressSteps = 0;
    int fastInfoRefreshes = 0;
    int errors = 0;
    int closingNotes = 0;
};

}  // namespace quexa::testing
