#pragma once

#include <functional>
#include <memory>

#include "engines/engine_loader.h"
#include "tasks/task_channel.h"
#include "tasks/task_environment.h"
#include "tasks/task_state.h"
#include "tasks/worker_slots.h"

namespace quexa::tasks {

// What the search, the verification and the task control share while a task runs. Used on the
// user-interface thread only; workers see nothing but their channel.
struct TaskRuntime {
    explicit TaskRuntime(TaskEnvironment environment) : env(environment) {}

    TaskEnvironment env;
    TaskState state;
    WorkerSlots slots;
    // The channel of the workers started last; replaced when the next task starts workers.
    std::shared_ptr<TaskChannel> channel;
    int activeThreadCount = 0;
    // Result handlers running now; a stop asked for inside one waits until it has returned.
    int handlerDepth = 0;
    int timeoutSeconds = 45;
    engines::EngineList pendingEngines;
    // FinishTask of the task control.
    std::function<void()> finishTask;

    // A channel for the workers of a new task with the task's time-out and the cached proxy.
    std::shared_ptr<TaskChannel> OpenChannel();
    // Whether a worker's message belongs to the task that runs now.
    bool IsCurrent(const std::shared_ptr<TaskChannel>& from) const {
        return from == channel && !from->Abandoned();
    }
};

}  // namespace quexa::tasks
