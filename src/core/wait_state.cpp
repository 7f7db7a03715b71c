#include "core/wait_state.h"

#include <utility>

namespace quexa::core {

WaitState::Scope::Scope(WaitState* state, Settings settings) : state_(state) {
    if (state_ != nullptr) {
        state_->Open(std::move(settings));
    }
}

WaitState::Scope::~Scope() {
    if (state_ != nullptr) {
        state_->Close();
    }
}

void WaitState::Scope::SetTotal(std::uint64_t total) {
    if (state_ != nullptr) {
        state_->SetTotal(total);
    }
}

void WaitState::Scope::SetPosition(std::uint64_t position) {
    if (state_ != nullptr) {
        state_->SetPosition(position);
    }
}

bool WaitState::Scope::Cancelled() const {
    return state_ != nullptr && state_->Cancelled();
}

void WaitState::Open(Settings settings) {
    const std::lock_guard lock(mutex_);
    const std::uint64_t generation = state_.generation + 1;
    state_ = Snapshot{};
    state_.open = true;
    state_.caption = std::move(settings.caption);
    state_.text = std::move(settings.text);
    state_.showCancel = settings.showCancel;
    state_.showCounter = settings.showCounter;
    state_.generation = generation;
}

void WaitState::Close() {
    {
        const std::lock_guard lock(mutex_);
        if (!state_.open) {
            return;
        }
        state_.open = false;
    }
    closed_.notify_all();
}

bool WaitState::IsOpen() const {
    const std::lock_guard lock(mutex_);
    return state_.open;
}

void WaitState::SetTotal(std::uint64_t total) {
    const std::lock_guard lock(mutex_);
    state_.total = total;
}

void WaitState::SetPosition(std::uint64_t position) {
    const std::lock_guard lock(mutex_);
    state_.position = position;
}

void WaitState::SetText(std::string_view text) {
    const std::lock_guard lock(mutex_);
    state_.text.assign(text);
}

void WaitState::Cancel() {
    const std::lock_guard lock(mutex_);
    if (state_.open && state_.showCancel) {
        state_.cancelled = true;
    }
}

bool WaitState::Cancelled() const {
    const std::lock_guard lock(mutex_);
    return state_.cancelled;
}

WaitState::Snapshot WaitState::Read() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

bool WaitState::WaitUntilClosed(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return closed_.wait_for(lock, timeout, [this] { return !state_.open; });
}

}  // namespace quexa::core
