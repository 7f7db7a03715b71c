#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "tasks/internet_search.h"
#include "tasks/intranet_search.h"
#include "tasks/list_sort.h"
#include "tasks/task_runtime.h"
#include "tasks/verification.h"

namespace quexa::tasks {

// The main frame's part in running tasks: New Search, Stop Task and Verify Result with their
// enabling rules, and the end of every task.
class TaskControl {
  public:
    static constexpr std::string_view kStopWaitText =
        "Please wait a minute to finish the task ... ...";
    static constexpr std::string_view kSaveQuestion = "Do you want save ?";
    static constexpr int kStopWaitRounds = 50;
    // Saves the list when the person agreed to save before a new search.
    using SaveList = std::function<void()>;

    explicit TaskControl(TaskEnvironment environment);
    ~TaskControl();
    TaskControl(const TaskControl&) = delete;
    TaskControl& operator=(const TaskControl&) = delete;

    // New Search before its mode dialog: nothing while a task runs (false); otherwise offers to
    // save unsaved changes and forgets the current file.
    bool BeginNewSearch(const SaveList& save);
    // New Search after the Internet wizard, with the profile as the wizard left it.
    bool RunInternetSearch();
    // New Search after the Intranet wizard; it returns once the search has ended. autoSave
    // saves the list when the auto save is due.
    bool RunIntranetSearch(const SaveList& autoSave = {});
    // New Search's empty free list.
    void RunFreeEdit();
    void StopTask();
    // A click on a column's header: sorts by that column, the other way round when it is the
    // column sorted last (the sort mark). Refused while a busy loop runs; the mark then stays.
    ListSort::Outcome ClickColumn(core::ResultCell cell,
                                  std::optional<std::size_t> focusRow = std::nullopt);
    // Sorts by one column, the window painting meanwhile.
    ListSort::Outcome SortList(core::SortChoice choice,
                               std::optional<std::size_t> focusRow = std::nullopt);
    const core::SortMark& sortMark() const { return sortMark_; }
    // Which long loop runs now: the menus ask it which commands to refuse.
    const core::BusyState& busy() const { return *runtime_.env.busy; }
    // Verify Result.
    bool VerifyResult();
    void FinishTask();

    bool CanStartNewSearch() const;
    bool CanVerify() const;
    // No task runs and no worker of the last one is left.
    bool Idle() const;
    // Joins the workers that have ended; returns how many threads are still running.
    std::size_t ReleaseEndedWorkers();

    const TaskState& state() const { return runtime_.state; }
    TaskState& state() { return runtime_.state; }
    int activeThreadCount() const { return runtime_.activeThreadCount; }
    InternetSearch& search() { return search_; }
    Verification& verification() { return verification_; }
    IntranetSearch& intranet() { return intranet_; }

  private:
    void WaitForWorkers();
    void CloseTask();

    TaskRuntime runtime_;
    InternetSearch search_;
    Verification verification_;
    IntranetSearch intranet_;
    core::SortMark sortMark_;
    bool finishing_ = false;
};

}  // namespace quexa::tasks
