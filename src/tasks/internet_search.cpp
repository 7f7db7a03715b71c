#include "tasks/internet_search.h"

#include <utility>
#include <vector>

#include "core/settings_table.h"
#include "core/text.h"
#include "engines/scheme_list.h"
#include "engines/search_url.h"
#include "tasks/search_worker.h"

namespace quexa::tasks {
namespace {

constexpr std::size_t kAutoScrollRows = 5;

}  // namespace

bool InternetSearch::StartInternetSearch(std::string_view query, bool append) {
    TaskEnvironment& env = runtime_.env;
    TaskState& state = runtime_.state;
    state.stoppedByUser = false;
    env.host.ClearEngines();

    runtime_.pendingEngines.clear();
    engines::SearchEngines found =
        engines::ResolveSearchEngines(env.cache.appDirectory, env.profile, query);
    using Outcome = engines::SearchEngines::Outcome;
    if (found.outcome == Outcome::CategoryMissing) {
        env.host.ShowError(engines::kSchemeMissingMessage);
        state.taskRunning = false;
        return false;
    }
    state.searchTarget =
        found.schemePath.empty() ? std::string(engines::kSystemSchemeName) : found.directory;
    if (found.outcome == Outcome::SchemeUnreadable) {
        state.taskRunning = false;
        return false;
    }
    runtime_.pendingEngines = std::move(found.engines);

    state.searchMode = TaskState::kInternetMode;
    state.currentQuery = std::string(query);
    if (!append) {
        env.list.DeleteAll();
        state.currentFile.clear();
        env.list.Locations().Clear();
    }
    state.autoVerifyPending = core::settings::kAutoVerify.ReadFlag(env.profile);
    return StartEngineThreads(query);
}

bool InternetSearch::StartEngineThreads(std::string_view query) {
    TaskEnvironment& env = runtime_.env;
    query_ = std::string(core::Trim(query));
    runtime_.timeoutSeconds = core::settings::kSearchTimeout.Read(env.profile);
    runtime_.state.hangUpShown = false;
    runtime_.slots.Release();
    const int limit = WorkerSlots::ThreadLimit(core::settings::kLineType.Read(env.profile));
    env.host.ClearEngines();
    runtime_.activeThreadCount = 0;
    runtime_.OpenChannel()->runFlag.store(1);

    for (const auto& engine : runtime_.pendingEngines) {
        env.host.AddEngine(engine->name, engine->returnNumber);
        env.host.SetEngineState(engine->name, EngineState::Idle);
    }
    while (!runtime_.pendingEngines.empty() && runtime_.activeThreadCount < limit) {
        std::unique_ptr<engines::EngineDefinition> engine =
            std::move(runtime_.pendingEngines.front());
        runtime_.pendingEngines.erase(runtime_.pendingEngines.begin());
        StartWorker(std::move(engine));
    }
    if (runtime_.activeThreadCount > 0) {
        env.host.RefreshFastInfo();
        env.host.ShowEngineBar(true);
        env.host.SetBusy(true);
        return true;
    }
    StopWithoutWorkers();
    return false;
}

void InternetSearch::StartNextEngine() {
    runtime_.slots.FreeEnded();
    while (!runtime_.pendingEngines.empty()) {
        std::unique_ptr<engines::EngineDefinition> engine =
            std::move(runtime_.pendingEngines.front());
        runtime_.pendingEngines.erase(runtime_.pendingEngines.begin());
        if (StartWorker(std::move(engine))) {
            return;
        }
    }
}

std::size_t InternetSearch::DrainResultQueue() {
    TaskEnvironment& env = runtime_.env;
    // During a sort the records wait in the queue for the next drain.
    if (runtime_.channel == nullptr || env.busy->Current() == core::BusyWork::Sorting) {
        return 0;
    }
    std::deque<FoundItemRecord> records = runtime_.channel->TakeQueued();
    std::vector<core::ResultItem> items(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        FoundItemRecord& record = records[i];
        core::ResultItem& item = items[i];
        item.title = std::move(record.title);
        item.location = std::move(record.location);
        item.searchTarget = record.engineName;
        item.preview = std::move(record.preview);
        item.previewHeight = env.cache.previewHeight;
    }
    // One notice for the whole drain.
    env.list.AppendItems(items);
    for (const FoundItemRecord& record : records) {
        env.host.StepEngine(record.engineName);
    }
    if (env.cache.autoScroll && env.list.Count() > kAutoScrollRows) {
        env.host.ScrollToTop(env.list.Count() - kAutoScrollRows);
    }
    env.host.RefreshFastInfo();
    return records.size();
}

bool InternetSearch::StartWorker(std::unique_ptr<engines::EngineDefinition> engine) {
    engine->searchUrl = core::BoundedCopy(engines::SearchUrl::FillQuery(engine->searchUrl, query_),
                                          engines::EngineDefinition::kSearchUrlField);
    engine->query = core::BoundedCopy(query_, engines::EngineDefinition::kQueryField);
    const std::string name = engine->name;
    std::shared_ptr<TaskChannel> channel = runtime_.channel;
    const bool dropDuplicates = core::settings::kDropDuplicates.ReadFlag(runtime_.env.profile);
    auto onEnd = [this, channel](std::string engineName) { OnEngineFinished(channel, engineName); };
    auto worker = std::make_shared<SearchWorker>(std::move(engine), channel, dropDuplicates,
                                                 std::move(onEnd));
    if (!runtime_.slots.Start([worker] { worker->Run(); })) {
        return false;
    }
    runtime_.env.host.SetEngineState(name, EngineState::Searching);
    ++runtime_.activeThreadCount;
    return true;
}

void InternetSearch::OnEngineFinished(const std::shared_ptr<TaskChannel>& from,
                                      const std::string& name) {
    // A worker given up after a stop may end long after its task; its task control may be gone.
    if (!from->Abandoned() && from == runtime_.channel) {
        if (runtime_.env.busy->DeferWhileSorting(
                [this, from, name] { OnEngineFinished(from, name); })) {
            return;
        }
        DrainResultQueue();
        --runtime_.activeThreadCount;
        runtime_.env.host.SetEngineState(name, EngineState::Finished);
        if (from->runFlag.load() == 1) {
            StartNextEngine();
        }
        if (runtime_.activeThreadCount <= 0) {
            from->runFlag.store(0);
            runtime_.finishTask();
            from->TakeQueued();
        }
    }
}

void InternetSearch::StopWithoutWorkers() {
    runtime_.state.taskRunning = false;
    runtime_.channel->runFlag.store(0);
}

}  // namespace quexa::tasks
