#include "core/location_set.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace quexa::core {
namespace {

// At most half the slots are used, so probes stay short.
std::size_t CapacityFor(std::size_t keys) {
    return std::bit_ceil(std::max(keys, LocationSet::kInitialRoom) * 2);
}

// Below this much garbage the keys are not worth copying again.
constexpr std::size_t kMinGarbage = 64 * 1024;

}  // namespace

LocationSet::LocationSet() : slots_(CapacityFor(0)) {}

bool LocationSet::Contains(std::string_view location) const {
    const std::lock_guard lock(mutex_);
    return Find(LowerKey(location)).found;
}

bool LocationSet::Insert(std::string_view location) {
    const std::lock_guard lock(mutex_);
    const std::uint64_t hash = LowerKey(location);
    Probe probe = Find(hash);
    if (probe.found) {
        return false;
    }
    if ((size_ + 1) * 2 > slots_.size()) {
        Grow();
        probe = Find(hash);
    }
    slots_[probe.index] = Slot{hash, keys_.size(), scratch_.size()};
    keys_ += scratch_;
    ++size_;
    return true;
}

void LocationSet::Remove(std::string_view location) {
    const std::lock_guard lock(mutex_);
    const Probe probe = Find(LowerKey(location));
    if (!probe.found) {
        return;
    }
    garbage_ += slots_[probe.index].length;
    EraseAt(probe.index);
    --size_;
    if (garbage_ >= kMinGarbage && garbage_ >= keys_.size() - garbage_) {
        Compact();
    }
}

void LocationSet::Clear() {
    const std::lock_guard lock(mutex_);
    std::vector<Slot>(CapacityFor(0)).swap(slots_);
    std::string().swap(keys_);
    size_ = 0;
    garbage_ = 0;
}

std::size_t LocationSet::Size() const {
    const std::lock_guard lock(mutex_);
    return size_;
}

std::uint64_t LocationSet::LowerKey(std::string_view location) const {
    scratch_.assign(location);
    for (char& c : scratch_) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return std::hash<std::string_view>{}(scratch_);
}

// Linear probing from the hash's home slot: the slot holding scratch_, or the empty slot
// where it would go.
LocationSet::Probe LocationSet::Find(std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.Used()) {
            return {i, false};
        }
        if (slot.hash == hash && KeyOf(slot) == scratch_) {
            return {i, true};
        }
    }
}

std::string_view LocationSet::KeyOf(const Slot& slot) const {
    return std::string_view(keys_).substr(slot.offset, slot.length);
}

void LocationSet::Place(std::vector<Slot>& slots, const Slot& slot) const {
    const std::size_t mask = slots.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots[i].Used()) {
        i = (i + 1) & mask;
    }
    slots[i] = slot;
}

void LocationSet::Grow() {
    std::vector<Slot> slots(slots_.size() * 2);
    for (const Slot& slot : slots_) {
        if (slot.Used()) {
            Place(slots, slot);
        }
    }
    slots_.swap(slots);
}

// A table sized for the keys left and a key buffer without garbage.
void LocationSet::Compact() {
    std::vector<Slot> slots(CapacityFor(size_));
    std::string keys;
    keys.reserve(keys_.size() - garbage_);
    for (const Slot& slot : slots_) {
        if (slot.Used()) {
            Place(slots, Slot{slot.hash, keys.size(), slot.length});
            keys += KeyOf(slot);
        }
    }
    slots_.swap(slots);
    keys_.swap(keys);
    garbage_ = 0;
}

// Shifts the rest of the probe run back so that no lookup stops early at the hole.
void LocationSet::EraseAt(std::size_t index) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = index;
    for (std::size_t i = (index + 1) & mask; slots_[i].Used(); i = (i + 1) & mask) {
        const std::size_t home = slots_[i].hash & mask;
        // The entry may fill the hole when its home is not cyclically within (hole, i].
        const bool homeAfterHole = ((i - home) & mask) < ((i - hole) & mask);
        if (!homeAfterHole) {
            slots_[hole] = slots_[i];
            hole = i;
        }
    }
    slots_[hole] = Slot{};
}

}  // namespace quexa::core
