#include "cli/wait_line.h"

#include <chrono>

namespace quexa::cli {
namespace {

constexpr std::chrono::milliseconds kTick{100};

}  // namespace

WaitLine::WaitLine(const core::WaitState& wait, ProgressLine& line, core::MainThread& mainThread,
                   bool enabled)
    : wait_(wait), line_(line), mainThread_(mainThread) {
    if (enabled) {
        thread_ = std::jthread([this](const std::stop_token& stop) { Watch(stop); });
    }
}

WaitLine::~WaitLine() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    line_.Clear();
}

std::string WaitLine::Text(const core::WaitState::Snapshot& snapshot) {
    std::string text =
        snapshot.text.empty() ? std::string(core::WaitState::kDefaultText) : snapshot.text;
    if (snapshot.total != 0 && snapshot.showCounter) {
        text +=
            " (" + std::to_string(snapshot.position) + "/" + std::to_string(snapshot.total) + ")";
    }
    return text;
}

void WaitLine::Watch(const std::stop_token& stop) {
    std::uint64_t shownGeneration = 0;
    while (!stop.stop_requested()) {
        std::this_thread::sleep_for(kTick);
        const core::WaitState::Snapshot snapshot = wait_.Read();
        if (snapshot.open) {
            shownGeneration = snapshot.generation;
            // Checked again when it runs: the wait may have closed in between.
            mainThread_.Post([this, text = Text(snapshot), generation = snapshot.generation] {
                const core::WaitState::Snapshot now = wait_.Read();
                if (now.open && now.generation == generation) {
                    line_.Show(text);
                }
            });
        } else if (shownGeneration != 0) {
            shownGeneration = 0;
            mainThread_.Post([this] {
                if (!wait_.IsOpen()) {
                    line_.Clear();
                }
            });
        }
    }
}

}  // namespace quexa::cli
