#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/prompter.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "demo_farm/demo_farm.h"
#include "engines/scheme_file.h"
#include "tasks/engine_progress_list.h"
#include "tasks/task_control.h"
#include "tasks/task_host.h"
#include "temp_dir.h"

namespace quexa::test {

// A user-interface thread that counts the synchronous notices it is sent.
class CountingMainThread : public core::PlainMainThread {
  public:
    bool Send(Task task) override;
    int sends() const { return sends_.load(); }

  private:
    std::atomic<int> sends_{0};
};

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

// Answers every question with No and every file request with Cancel.
class NoPrompter : public core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons) override { return Answer::No; }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
};

// A home folder, a farm, a profile and a task control over one result list.
class TaskFixture {
  public:
    TaskFixture();
    ~TaskFixture();

    // Makes the category the remembered one, with its engines served by the farm.
    void UseCategory(const std::string& category, const std::vector<demo::FakeEngine>& engines);
    // Writes a scheme of the category and makes it the remembered one.
    void UseScheme(const std::string& category, const std::string& name,
                   const std::vector<engines::SchemeEntry>& entries);
    // Writes an engine file from source lines into the category's folder.
    void AddEngineFile(const std::string& category, const std::string& file,
                       const std::string& source);

    // Runs the user-interface thread's queue until the condition holds or the time is up.
    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(30));
    // Runs until the task control is idle and every worker thread has ended.
    bool RunToIdle(std::chrono::milliseconds limit = std::chrono::seconds(30));
    // A web item for the verification tests.
    void AddItem(const std::string& location, core::StatusCode status = core::StatusCode::Normal,
                 bool selected = false);
    std::ptrdiff_t RowOf(const std::string& location) const;

    TempDir home;
    demo::DemoFarm farm;
    core::MemoryProfile profile;
    core::SettingsCache cache;
    core::ResultList list;
    std::shared_ptr<CountingMainThread> mainThread;
    RecordingHost host;
    NoPrompter prompter;
    std::unique_ptr<tasks::TaskControl> control;
};

}  // namespace quexa::test
