#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>

#include "engines/engine_definition.h"
#include "engines/page_extractor.h"
#include "tasks/task_channel.h"

namespace quexa::tasks {

// One engine's pages, fetched one after another on a worker thread: items go into the channel's
// queue, each page is announced synchronously, and the end is posted as the worker's last act.
class SearchWorker {
  public:
    // Runs on the user-interface thread with the engine's name once the worker has ended.
    using EndNotice = std::function<void(std::string engineName)>;

    SearchWorker(std::unique_ptr<engines::EngineDefinition> engine,
                 std::shared_ptr<TaskChannel> channel, bool dropDuplicates, EndNotice onEnd);

    // The thread routine.
    void Run();

  private:
    // Queues the page's items up to the engine's return number; how many of them this engine
    // had not found before.
    int TakeItems(engines::PageExtractor& extractor, std::string page);
    bool LimitReached() const;
    // Waits for the service's interval between two requests; false when stopped meanwhile.
    bool WaitUntil(std::chrono::steady_clock::time_point when) const;
    bool Running() const { return channel_->runFlag.load() == 1; }
    void AnnouncePage();

    std::unique_ptr<engines::EngineDefinition> engine_;
    std::shared_ptr<TaskChannel> channel_;
    bool dropDuplicates_;
    EndNotice onEnd_;
    int itemCount_ = 0;
    // Pages fetched (normalised URLs) and locations found (lower case) in this search.
    std::unordered_set<std::string> fetchedPages_;
    std::unordered_set<std::string> foundLocations_;
};

}  // namespace quexa::tasks
