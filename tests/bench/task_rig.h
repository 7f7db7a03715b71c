#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "demo_farm/demo_farm.h"
#include "silent_host.h"
#include "silent_prompter.h"
#include "tasks/task_control.h"
#include "temp_dir.h"

namespace quexa::bench {

// The real task layer over a result list, driven from the calling thread as the user-interface
// thread, against a demo farm on loopback with a home folder of its own.
class TaskRig {
  public:
    TaskRig();
    ~TaskRig();
    TaskRig(const TaskRig&) = delete;
    TaskRig& operator=(const TaskRig&) = delete;

    // Makes the category the remembered one, with its engines served by the farm.
    void UseCategory(const std::string& category, const std::vector<demo::FakeEngine>& engines);
    // Runs the user-interface thread's queue until no task runs; with threads, also until every
    // worker thread has ended. False when the time ran out first.
    bool RunToIdle(std::chrono::milliseconds limit, bool threads = true);

    test::TempDir home;
    demo::DemoFarm farm;
    core::MemoryProfile profile;
    core::SettingsCache cache;
    core::ResultList list;
    std::shared_ptr<core::PlainMainThread> mainThread;
    SilentHost host;
    SilentPrompter prompter;
    std::unique_ptr<tasks::TaskControl> control;
};

}  // namespace quexa::bench
