#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "core/plain_main_thread.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "silent_host.h"
#include "silent_prompter.h"
#include "tasks/task_control.h"

// What the benchmarks of big result lists share, so that a variant with a view attached to the
// list runs the very same work.
namespace quexa::bench {

// A user-interface thread's queue that notes the longest time the thread went without handling
// its events, from Start to the last call of Stop.
class GapWatch : public core::PlainMainThread {
  public:
    void ProcessPending() override;
    void Start();
    // Ends the watch; the time since the last round counts as a gap too.
    void Stop();
    std::chrono::duration<double> LongestGap() const { return longest_; }
    std::size_t Rounds() const { return rounds_; }

  private:
    void Note();

    std::chrono::steady_clock::time_point last_;
    std::chrono::duration<double> longest_{};
    std::size_t rounds_ = 0;
    bool watching_ = false;
};

// The task layer over one result list, with a GapWatch as its user-interface thread: what a
// click on a column header runs. No farm, no home folder.
class ListRig {
  public:
    ListRig();
    ~ListRig();
    ListRig(const ListRig&) = delete;
    ListRig& operator=(const ListRig&) = delete;

    // Empties the list and fills it with that many rows shaped like a search's.
    void Fill(std::size_t rows);

    core::MemoryProfile profile;
    core::SettingsCache cache;
    core::ResultList list;
    std::shared_ptr<GapWatch> mainThread;
    SilentHost host;
    SilentPrompter prompter;
    std::unique_ptr<tasks::TaskControl> control;
};

// A row a verification run handed out: its id and the location the worker checks.
struct HandedRow {
    core::ResultList::RowId id;
    std::string location;
};

// The rows a verification run hands out, spread evenly over the list, in a shuffled order as
// answers come back in any order.
std::vector<HandedRow> SpreadRows(const core::ResultList& list, std::size_t count);

// What a verification answer does with the list: find the row the location was handed out from
// (and see it still holds that location), then, the answer being "Unreachable", delete it.
// Each returns the seconds its part took in all. With cold, the processor's caches and address
// translations are filled with other memory before each answer (not timed), as the network
// round trip and the window's work between two real answers do.
struct AnswerTimes {
    double find = 0;
    double erase = 0;
    // Each answer's find, in the order of the answers.
    std::vector<double> finds;
};
AnswerTimes AnswerEach(core::ResultList& list, std::span<const HandedRow> rows, bool cold);

// Touches memory enough to push the list out of the second-level cache and the translation
// buffers.
void EvictCaches();

}  // namespace quexa::bench
