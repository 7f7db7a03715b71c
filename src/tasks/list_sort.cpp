#include "tasks/list_sort.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace quexa::tasks {
namespace {

// How long the user-interface thread waits for the order between two rounds of its events.
constexpr std::chrono::milliseconds kEventPeriod{10};
constexpr std::chrono::milliseconds kLockRetry{1};

}  // namespace

ListSort::Outcome ListSort::Run(core::SortChoice choice, std::optional<std::size_t> focusRow) {
    TaskEnvironment& env = runtime_.env;
    if (env.busy->Refuses(core::Command::Sort)) {
        return {};
    }
    const core::BusyState::Scope sorting(*env.busy, core::BusyWork::Sorting);
    // A worker waiting for an answer holds the lock: its notice is handled first. Declared
    // after the scope, so released before what waited for the sort runs.
    const std::shared_ptr<TaskChannel> channel = runtime_.channel;
    std::unique_lock<std::mutex> notices;
    if (channel != nullptr && !channel->Abandoned()) {
        notices = std::unique_lock(channel->notifyLock, std::try_to_lock);
        while (!notices.owns_lock()) {
            env.mainThread->ProcessPending();
            std::this_thread::sleep_for(kLockRetry);
            notices.try_lock();
        }
    }
    env.host.OpenWait(kWaitText);
    const std::vector<std::size_t> order = OrderOffThread(choice);
    env.host.CloseWait();
    env.list.ApplyOrder(order);
    if (runtime_.state.verifyRunning) {
        verification_.ListEdited();
    }
    Outcome outcome{true, std::nullopt};
    if (focusRow) {
        const auto it = std::find(order.begin(), order.end(), *focusRow);
        if (it != order.end()) {
            outcome.focusRow = static_cast<std::size_t>(it - order.begin());
        }
    }
    return outcome;
}

std::vector<std::size_t> ListSort::OrderOffThread(core::SortChoice choice) {
    const core::ResultList& list = runtime_.env.list;
    std::mutex mutex;
    std::condition_variable ready;
    bool done = false;
    std::vector<std::size_t> order;
    std::thread sorter;
    try {
        sorter = std::thread([&] {
            std::vector<std::size_t> result = list.SortOrder(choice.cell, choice.descending);
            const std::lock_guard lock(mutex);
            order = std::move(result);
            done = true;
            ready.notify_one();
        });
    } catch (const std::system_error&) {
        return list.SortOrder(choice.cell, choice.descending);  // no thread to be had
    }
    std::unique_lock lock(mutex);
    while (!ready.wait_for(lock, kEventPeriod, [&done] { return done; })) {
        lock.unlock();
        runtime_.env.mainThread->ProcessPending();
        lock.lock();
    }
    lock.unlock();
    sorter.join();
    return order;
}

}  // namespace quexa::tasks
