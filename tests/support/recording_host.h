#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tasks/engine_progress_list.h"
#include "tasks/task_host.h"

namespace quexa::testing {

// A window layer that remembers what the tasks asked of it.
class RecordingHost : public tasks::TaskHost {
  public:
    void AddEngine(std::string_view name, int expected) override { engines.Add(name, expected); }
    void SetEngineState(std::string_view name, tasks::EngineState state) override {
        engines.SetState(name, state);
    }
    void StepEngine(std::string_view name) override { engines.Step(name); }
    void ClearEngines() override { engines.Clear(); }
    void ShowEngineBar(bool shown) override { engineBarShown = shown; }
    void SetStatusText(std::string_view text) override { statusText = text; }
    void SetProgressRange(std::size_t total) override { progressTotal = total; }
    void StepProgress() override { ++progressSteps; }
    void ShowProgress(bool shown) override { progressShown = shown; }
    void SetBusy(bool on) override { busy = on; }
    void RefreshFastInfo() override { ++fastInfoRefreshes; }
    void ScrollToTop(std::size_t row) override { topRow = row; }
    void OpenWait(std::string_view text) override;
    void SetWaitProgress(int position, int total) override;
    void CloseWait() override { events.push_back("wait closed"); }
    void ShowError(std::string_view text) override {
        events.push_back("error: " + std::string(text));
    }
    bool RunAutoVerifyCountdown() override;
    void ShowHangUp() override { events.push_back("hang up"); }
    void ShowClosingNote() override { events.push_back("note"); }
    std::vector<std::string> ConfirmNetworkResources(
        const std::vector<std::string>& shares) override {
        offeredShares = shares;
        return shareAnswer.value_or(shares);
    }

    int Count(const std::string& event) const;

    tasks::EngineProgressList engines;
    std::vector<std::string> events;
    bool countdownAnswer = true;
    bool engineBarShown = false;
    bool progressShown = false;
    bool busy = false;
    std::string statusText;
    std::size_t progressTotal = 0;
    int progressSteps = 0;
    int fastInfoRefreshes = 0;
    std::size_t topRow = 0;
    int waitTotal = 0;
    std::vector<std::string> offeredShares;
    // The ticked shares of the "Network Resource List"; nothing: every share.
    std::optional<std::vector<std::string>> shareAnswer;
};

}  // namespace quexa::testing
