#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

#include "core/location_set.h"
#include "core/main_thread.h"
#include "tasks/found_item_record.h"
#include "web/http_settings.h"

namespace quexa::tasks {

// What the workers of one task share with the user-interface thread. Workers hold it by
// shared pointer, so a worker given up after a stop can still finish safely: once the task
// abandons the channel, nothing the worker hands in reaches the list.
class TaskChannel {
  public:
    TaskChannel(std::shared_ptr<core::MainThread> mainThread,
                std::shared_ptr<core::LocationSet> locations, web::HttpSettings http);
    TaskChannel(const TaskChannel&) = delete;
    TaskChannel& operator=(const TaskChannel&) = delete;

    // 1 while the task runs; every worker ends at its next check once it reads 0.
    std::atomic<int> runFlag{0};
    // Lets one worker at a time wait for the user-interface thread.
    std::mutex notifyLock;

    core::MainThread& mainThread() const { return *mainThread_; }
    // The settings of every session of the task, with runFlag as the stop flag.
    web::HttpSettings HttpSettings() const;

    // Queues a found item; with duplicates dropped, only when its location is new to the
    // list. Nothing is queued once the channel is abandoned.
    void Queue(FoundItemRecord record, bool dropDuplicates);
    std::deque<FoundItemRecord> TakeQueued();
    std::size_t QueuedCount() const;
    // The queue's records go and every later hand-in is ignored.
    void Abandon();
    bool Abandoned() const;

  private:
    std::shared_ptr<core::MainThread> mainThread_;
    std::shared_ptr<core::LocationSet> locations_;
    web::HttpSettings http_;
    mutable std::mutex resultLock_;
    std::deque<FoundItemRecord> queue_;
    bool abandoned_ = false;
};

}  // namespace quexa::tasks
