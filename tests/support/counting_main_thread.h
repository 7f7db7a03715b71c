#pragma once

#include <atomic>

#include "core/plain_main_thread.h"

namespace quexa::testing {

// A user-interface thread that counts the synchronous notices it is sent.
class CountingMainThread : public core::PlainMainThread {
  public:
    bool Send(Task task) override;
    int sends() const { return sends_.load(); }

  private:
    std::atomic<int> sends_{0};
};

}  // namespace quexa::testing
