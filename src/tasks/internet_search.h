#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "engines/engine_definition.h"
#include "tasks/task_runtime.h"

namespace quexa::tasks {

// The Internet search task: one query through the engines of the remembered scheme, one
// worker per engine, as many at once as the line type allows.
class InternetSearch {
  public:
    explicit InternetSearch(TaskRuntime& runtime) : runtime_(runtime) {}

    // False when the search did not start (no category, an unreadable scheme, no worker).
    bool StartInternetSearch(std::string_view query, bool append);
    bool StartEngineThreads(std::string_view query);
    void StartNextEngine();
    // Moves the queued items into the list; returns how many.
    std::size_t DrainResultQueue();

  private:
    bool StartWorker(std::unique_ptr<engines::EngineDefinition> engine);
    void OnEngineFinished(const std::shared_ptr<TaskChannel>& from, const std::string& name);
    void StopWithoutWorkers();

    TaskRuntime& runtime_;
    std::string query_;
};

}  // namespace quexa::tasks
