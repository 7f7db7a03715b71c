#include "task_rig.h"

#include <stdexcept>

#include "core/settings_table.h"
#include "demo_farm/demo_home.h"

namespace quexa::bench {

TaskRig::TaskRig() : mainThread(std::make_shared<core::PlainMainThread>()) {
    std::string error;
    if (!farm.Start(0, &error)) {
        throw std::runtime_error("farm: " + error);
    }
    cache.appDirectory = home.path().string();
    cache.dataDirectory = home.path().string();
    cache.previewHeight = 0;
    control = std::make_unique<tasks::TaskControl>(
        tasks::TaskEnvironment{list, profile, cache, mainThread, host, prompter});
}

TaskRig::~TaskRig() {
    if (control->state().taskRunning) {
        control->StopTask();
    }
    RunToIdle(std::chrono::seconds(10));
    control.reset();
    farm.Stop();
    mainThread->Shutdown();
}

void TaskRig::UseCategory(const std::string& category,
                          const std::vector<demo::FakeEngine>& engines) {
    std::string error;
    if (!demo::WriteCategoryHome(home.path(), farm.port(), category, engines, &error)) {
        throw std::runtime_error("home: " + error);
    }
    core::settings::kLastCategory.Write(profile, category);
}

bool TaskRig::RunToIdle(std::chrono::milliseconds limit, bool threads) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!control->Idle() || (threads && control->ReleaseEndedWorkers() != 0)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        mainThread->WaitAndProcess(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace quexa::bench
