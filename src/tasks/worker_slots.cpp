#include "tasks/worker_slots.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace quexa::tasks {

WorkerSlots::~WorkerSlots() {
    Release();
}

bool WorkerSlots::Start(std::function<void()> routine) {
    const auto free = std::find_if(slots_.begin(), slots_.end(),
                                   [](const Slot& slot) { return !slot.Used(); });
    if (free == slots_.end()) {
        return false;
    }
    auto ended = std::make_shared<std::atomic<bool>>(false);
    try {
        free->thread = std::thread([routine = std::move(routine), ended] {
            routine();
            ended->store(true);
        });
    } catch (const std::system_error&) {
        return false;
    }
    free->ended = std::move(ended);
    return true;
}

void WorkerSlots::FreeEnded() {
    for (Slot& slot : slots_) {
        if (slot.Used() && slot.ended->load()) {
            slot.thread.join();
            slot.ended.reset();
        }
    }
}

std::size_t WorkerSlots::Release() {
    std::size_t running = 0;
    for (Slot& slot : slots_) {
        if (!slot.Used()) {
            continue;
        }
        if (slot.ended->load()) {
            slot.thread.join();
        } else {
            slot.thread.detach();
            ++running;
        }
        slot.ended.reset();
    }
    return running;
}

std::size_t WorkerSlots::Running() const {
    return static_cast<std::size_t>(std::count_if(slots_.begin(), slots_.end(), [](const Slot& slot) {
        return slot.Used() && !slot.ended->load();
    }));
}

int WorkerSlots::ThreadLimit(int lineType) {
    switch (lineType) {
        case 1:
            return 4;
        case 2:
            return 6;
        case 3:
            return 8;
        case 4:
            return 10;
        case 5:
            return 12;
        default:
            return 2;
    }
}

}  // namespace quexa::tasks
