#include "tasks/task_control.h"

#include <chrono>
#include <thread>

#include "core/settings_table.h"

namespace quexa::tasks {
namespace {

constexpr std::chrono::milliseconds kStopWaitRound{100};

}  // namespace

TaskControl::TaskControl(TaskEnvironment environment)
    : runtime_(environment), search_(runtime_), verification_(runtime_), intranet_(runtime_) {
    runtime_.finishTask = [this] { FinishTask(); };
}

TaskControl::~TaskControl() {
    if (runtime_.channel != nullptr) {
        runtime_.channel->runFlag.store(0);
        runtime_.channel->Abandon();
    }
}

bool TaskControl::BeginNewSearch(const SaveList& save) {
    if (runtime_.state.taskRunning) {
        return false;
    }
    if (runtime_.env.list.IsModified() &&
        runtime_.env.prompter.Ask(core::Prompter::Title::Note, kSaveQuestion,
                                  core::Prompter::Buttons::YesNo) == core::Prompter::Answer::Yes &&
        save) {
        save();
    }
    runtime_.state.currentFile.clear();
    return true;
}

bool TaskControl::RunInternetSearch() {
    const std::string query = core::settings::kInternetKeywords.Read(runtime_.env.profile);
    TaskState& state = runtime_.state;
    state.searchMode = TaskState::kInternetMode;
    state.currentQuery = query;
    state.taskRunning = true;
    runtime_.env.list.Locations().Clear();
    return search_.StartInternetSearch(query, false);
}

bool TaskControl::RunIntranetSearch(const SaveList& autoSave) {
    const std::string patterns = core::settings::kIntranetPatterns.Read(runtime_.env.profile);
    const std::string target = core::settings::kLastSearchTarget.Read(runtime_.env.profile);
    TaskState& state = runtime_.state;
    state.searchMode = TaskState::kIntranetMode;
    state.currentQuery = patterns;
    state.taskRunning = true;
    runtime_.env.list.Locations().Clear();
    intranet_.SetAutoSave(autoSave);
    return intranet_.StartIntranetSearch(patterns, target, false);
}

void TaskControl::RunFreeEdit() {
    TaskState& state = runtime_.state;
    state.searchMode = TaskState::kFreeEditMode;
    state.currentQuery.clear();
    state.searchTarget.clear();
    runtime_.env.list.DeleteAll();
    state.currentFile.clear();
    runtime_.env.list.Locations().Clear();
    runtime_.env.host.RefreshFastInfo();
}

void TaskControl::StopTask() {
    if (!runtime_.state.taskRunning) {
        return;
    }
    if (runtime_.env.busy->DeferWhileSorting([this] { StopTask(); })) {
        return;
    }
    if (runtime_.handlerDepth > 0) {
        // The worker being answered holds the notice lock: stopping now would wait for it.
        runtime_.env.mainThread->Post([this, channel = runtime_.channel] {
            if (channel == runtime_.channel && !channel->Abandoned()) {
                StopTask();
            }
        });
        return;
    }
    runtime_.state.stoppedByUser = true;
    FinishTask();
    runtime_.state.taskRunning = false;
}

ListSort::Outcome TaskControl::ClickColumn(core::ResultCell cell,
                                           std::optional<std::size_t> focusRow) {
    if (runtime_.env.busy->Refuses(core::Command::Sort)) {
        return {};
    }
    return SortList(sortMark_.Click(cell), focusRow);
}

ListSort::Outcome TaskControl::SortList(core::SortChoice choice,
                                        std::optional<std::size_t> focusRow) {
    return ListSort(runtime_, verification_).Run(choice, focusRow);
}

bool TaskControl::VerifyResult() {
    if (!CanVerify()) {
        return false;
    }
    return verification_.StartVerification(true);
}

bool TaskControl::CanStartNewSearch() const {
    return !runtime_.state.taskRunning && !runtime_.state.verifyRunning;
}

bool TaskControl::CanVerify() const {
    return CanStartNewSearch() && !runtime_.env.list.Empty();
}

bool TaskControl::Idle() const {
    return !runtime_.state.taskRunning && !runtime_.state.verifyRunning &&
           runtime_.activeThreadCount <= 0;
}

std::size_t TaskControl::ReleaseEndedWorkers() {
    runtime_.slots.FreeEnded();
    return runtime_.slots.Running();
}

void TaskControl::FinishTask() {
    // The last worker's end can ask for it again inside the stop wait; the running call
    // finishes the task once.
    if (finishing_) {
        return;
    }
    finishing_ = true;
    if (runtime_.channel != nullptr && runtime_.channel->runFlag.load() == 1) {
        WaitForWorkers();
    }
    finishing_ = false;
    CloseTask();
}

void TaskControl::WaitForWorkers() {
    TaskEnvironment& env = runtime_.env;
    TaskState& state = runtime_.state;
    const core::BusyState::Scope stopping(*env.busy, core::BusyWork::StopWait);
    runtime_.channel->runFlag.store(0);
    state.totalAtStop = runtime_.activeThreadCount;
    state.stopProgress = 0;
    const bool waiting = runtime_.activeThreadCount > 0;
    if (waiting) {
        env.host.OpenWait(kStopWaitText);
        std::this_thread::sleep_for(kStopWaitRound);
    }
    int rounds = 0;
    while (runtime_.activeThreadCount > 0 && rounds < kStopWaitRounds) {
        env.mainThread->ProcessPending();
        state.stopProgress = state.totalAtStop - runtime_.activeThreadCount + 1;
        env.host.SetWaitProgress(state.stopProgress, state.totalAtStop);
        std::this_thread::sleep_for(kStopWaitRound);
        ++rounds;
    }
    const bool gaveUp = runtime_.activeThreadCount > 0;
    runtime_.slots.Release();
    runtime_.activeThreadCount = 0;
    if (waiting) {
        env.host.CloseWait();
    }
    search_.DrainResultQueue();
    env.host.ShowProgress(false);
    if (gaveUp) {
        // Late results of the workers let go are discarded.
        runtime_.channel->Abandon();
        if (state.verifyRunning) {
            verification_.ResetVerifying();
        }
    }
}

void TaskControl::CloseTask() {
    TaskEnvironment& env = runtime_.env;
    TaskState& state = runtime_.state;
    if (runtime_.channel != nullptr) {
        runtime_.channel->runFlag.store(0);
    }
    env.host.ShowEngineBar(false);
    state.verifyRunning = false;
    state.taskRunning = false;
    if (!state.stoppedByUser && state.autoVerifyPending) {
        if (env.host.RunAutoVerifyCountdown()) {
            verification_.StartVerification(true);
            state.autoVerifyPending = false;
            return;
        }
    }
    if (state.hangUpShown) {
        return;
    }
    env.host.SetBusy(false);
    runtime_.slots.FreeEnded();
    if (env.cache.hangUpWhenFinished) {
        state.hangUpShown = true;
        runtime_.activeThreadCount = 0;
        env.host.ShowHangUp();
    }
    runtime_.activeThreadCount = 0;
    env.host.ShowClosingNote();
}

}  // namespace quexa::tasks
