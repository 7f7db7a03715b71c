#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <thread>

namespace quexa::tasks {

// The threads a task started. A slot is free again once its thread has ended; threads still
// running when a task gives up on them are let go, never killed.
class WorkerSlots {
  public:
    static constexpr std::size_t kSlotCount = 50;

    WorkerSlots() = default;
    ~WorkerSlots();
    WorkerSlots(const WorkerSlots&) = delete;
    WorkerSlots& operator=(const WorkerSlots&) = delete;

    // Runs the routine on a new thread in the first free slot. False when no slot is free or
    // the system refuses the thread.
    bool Start(std::function<void()> routine);
    // Frees the slots whose threads have ended.
    void FreeEnded();
    // Frees every slot: ended threads are joined, running ones let go. Returns how many were
    // still running.
    std::size_t Release();
    std::size_t Running() const;

    // Workers at once for a "LineType" value: 1 to 5 give 4 to 12, anything else 2.
    static int ThreadLimit(int lineType);

  private:
    struct Slot {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> ended;
        bool Used() const { return thread.joinable(); }
    };

    std::array<Slot, kSlotCount> slots_;
};

}  // namespace quexa::tasks
