#include "tasks/task_channel.h"

#include <utility>

#include "core/text.h"

namespace quexa::tasks {

TaskChannel::TaskChannel(std::shared_ptr<core::MainThread> mainThread,
                         std::shared_ptr<core::LocationSet> locations, web::HttpSettings http)
    : mainThread_(std::move(mainThread)), locations_(std::move(locations)), http_(std::move(http)) {}

web::HttpSettings TaskChannel::HttpSettings() const {
    web::HttpSettings settings = http_;
    settings.stopFlag = &runFlag;
    return settings;
}

void TaskChannel::Queue(FoundItemRecord record, bool dropDuplicates) {
    const std::lock_guard lock(resultLock_);
    if (abandoned_) {
        return;
    }
    if (dropDuplicates && !locations_->Insert(core::AsciiLower(record.location))) {
        return;
    }
    queue_.push_back(std::move(record));
}

std::deque<FoundItemRecord> TaskChannel::TakeQueued() {
    std::deque<FoundItemRecord> taken;
    const std::lock_guard lock(resultLock_);
    taken.swap(queue_);
    return taken;
}

std::size_t TaskChannel::QueuedCount() const {
    const std::lock_guard lock(resultLock_);
    return queue_.size();
}

void TaskChannel::Abandon() {
    const std::lock_guard lock(resultLock_);
    abandoned_ = true;
    queue_.clear();
}

bool TaskChannel::Abandoned() const {
    const std::lock_guard lock(resultLock_);
    return abandoned_;
}

}  // namespace quexa::tasks
