#pragma once

#include <memory>

#include "core/busy_state.h"
#include "core/main_thread.h"
#include "core/profile.h"
#include "core/prompter.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "tasks/task_host.h"

namespace quexa::tasks {

// What the tasks work with; every member outlives the task control that holds it.
struct TaskEnvironment {
    core::ResultList& list;
    core::Profile& profile;
    const core::SettingsCache& cache;
    // Shared with the workers, which may outlive a stop.
    std::shared_ptr<core::MainThread> mainThread;
    TaskHost& host;
    core::Prompter& prompter;
    // Which long loop runs now; one per window, so the window gives the same one to the task
    // control and the document.
    std::shared_ptr<core::BusyState> busy = std::make_shared<core::BusyState>();
};

}  // namespace quexa::tasks
