#include "cli/stop_request.h"

#include <unistd.h>

#include <atomic>

namespace quexa::cli {
namespace {

std::atomic<int> interrupts{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int /*signal*/) {
    if (interrupts.fetch_add(1) > 0) {
        _exit(StopRequest::kInterruptedExit);
    }
}

}  // namespace

StopRequest::StopRequest() {
    interrupts.store(0);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_);
}

StopRequest::~StopRequest() {
    sigaction(SIGINT, &previous_, nullptr);
}

bool StopRequest::Requested() const {
    return interrupts.load() > 0;
}

}  // namespace quexa::cli
