#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "counting_main_thread.h"
#include "demo_farm/demo_farm.h"
#include "engines/scheme_file.h"
#include "null_prompter.h"
#include "recording_host.h"
#include "tasks/task_control.h"
#include "temp_folder.h"

namespace quexa::testing {

// The real task layer over a result list, driven from the calling thread as the
// user-interface thread, against a demo farm on loopback with a home folder of its own: for
// the task tests and the task benchmarks.
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
    // Runs until the task control is idle and, with threads, every worker thread has ended.
    bool RunToIdle(std::chrono::milliseconds limit = std::chrono::seconds(30), bool threads = true);
    // A web item for the verification tests.
    void AddItem(const std::string& location, core::StatusCode status = core::StatusCode::Normal,
                 bool selected = false);
    std::ptrdiff_t RowOf(const std::string& location) const;

    TempFolder home;
    demo::DemoFarm farm;
    core::MemoryProfile profile;
    core::SettingsCache cache;
    core::ResultList list;
    std::shared_ptr<CountingMainThread> mainThread;
    RecordingHost host;
    NullPrompter prompter;
    std::unique_ptr<tasks::TaskControl> control;
};

}  // namespace quexa::testing
