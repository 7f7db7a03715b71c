#include "core/location_set.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quexa::core {
namespace {

// At most half the slots are used, so probes stay short.
std::size_t CapacityFor(std::size_t keys) {
    return std::bit_ceil(std::max(keys, LocationSet::kInitialRoom) * 2);
}

// Below this much garbage the keys are not worth copying again.
constexpr std::size_t kMinGarbage = 64 * 1024;

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;

// ASCII lower-casing of eight bytes at once; bytes of 0x80 and above stay as they are.
std::uint64_t LowerWord(std::uint64_t word) {
    const std::uint64_t low7 = word & ~kHighs;
    const std::uint64_t atLeastA = low7 + kOnes * (0x80 - 'A');
    const std::uint64_t aboveZ = low7 + kOnes * (0x80 - 'Z' - 1);
    const std::uint64_t upper = atLeastA & ~aboveZ & ~word & kHighs;
    return word | (upper >> 2);
}

std::uint64_t MixWord(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ word) * kMultiplier;
    return hash ^ (hash >> 32);
}

// The table takes its slot from the low bits, so every input bit must reach them.
std::uint64_t FinishHash(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ULL;
    return hash ^ (hash >> 33);
}

// The hash of the lower-cased text, a word at a time: this runs for every item a search or a
// load adds.
std::uint64_t LowerHash(std::string_view text) {
    const std::size_t size = text.size();
    const char* in = text.data();
    std::uint64_t hash = size * kMultiplier;
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= size; i += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, in + i, sizeof word);
        hash = MixWord(hash, LowerWord(word));
    }
    if (i < size) {
        std::uint64_t word = 0;
        std::memcpy(&word, in + i, size - i);
        hash = MixWord(hash, LowerWord(word));
    }
    return FinishHash(hash);
}

void LowerCopy(std::string_view text, char* out) {
    const std::size_t size = text.size();
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= size; i += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        word = LowerWord(word);
        std::memcpy(out + i, &word, sizeof word);
    }
    if (i < size) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, size - i);
        word = LowerWord(word);
        std::memcpy(out + i, &word, size - i);
    }
}

// Whether a stored, lower-cased key is the location without regard to ASCII letter case.
bool SameKey(std::string_view lower, std::string_view location) {
    if (lower.size() != location.size()) {
        return false;
    }
    const std::size_t size = location.size();
    if (size == 0) {
        return true;
    }
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= size; i += sizeof(std::uint64_t)) {
        std::uint64_t stored = 0;
        std::uint64_t word = 0;
        std::memcpy(&stored, lower.data() + i, sizeof stored);
        std::memcpy(&word, location.data() + i, sizeof word);
        if (stored != LowerWord(word)) {
            return false;
        }
    }
    std::uint64_t stored = 0;
    std::uint64_t word = 0;
    std::memcpy(&stored, lower.data() + i, size - i);
    std::memcpy(&word, location.data() + i, size - i);
    return stored == LowerWord(word);
}

// How far ahead InsertAll fetches slots: enough misses in flight to hide the wait on memory.
constexpr std::size_t kPrefetchDistance = 8;

}  // namespace

LocationSet::LocationSet() : slots_(CapacityFor(0)) {}

bool LocationSet::Contains(std::string_view location) const {
    const std::uint64_t hash = HashOf(location);
    const std::lock_guard lock(mutex_);
    return Find(hash, location).found;
}

bool LocationSet::Insert(std::string_view location) {
    const std::uint64_t hash = HashOf(location);
    const std::lock_guard lock(mutex_);
    return InsertLocked(hash, location);
}

std::uint64_t LocationSet::HashOf(std::string_view location) {
    return LowerHash(location);
}

void LocationSet::InsertAll(std::span<const std::string_view> locations,
                            std::span<const std::uint64_t> hashes, std::span<bool> inserted) {
    const std::size_t count = std::min({locations.size(), hashes.size(), inserted.size()});
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += locations[i].size();
    }
    const std::lock_guard lock(mutex_);
    ReserveLocked(size_ + count);
    keys_.reserve(keys_.size() + bytes);
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kPrefetchDistance < count) {
            __builtin_prefetch(&slots_[hashes[i + kPrefetchDistance] & (slots_.size() - 1)]);
        }
        inserted[i] = InsertLocked(hashes[i], locations[i]);
    }
}

bool LocationSet::InsertLocked(std::uint64_t hash, std::string_view location) {
    Probe probe = Find(hash, location);
    if (probe.found) {
        return false;
    }
    if ((size_ + 1) * 2 > slots_.size()) {
        Grow();
        probe = Find(hash, location);
    }
    const std::size_t offset = keys_.size();
    slots_[probe.index] = Slot{hash, offset, location.size()};
    keys_.resize(offset + location.size());
    LowerCopy(location, keys_.data() + offset);
    ++size_;
    return true;
}

void LocationSet::Remove(std::string_view location) {
    const std::uint64_t hash = HashOf(location);
    const std::lock_guard lock(mutex_);
    RemoveLocked(hash, location);
}

void LocationSet::RemoveAll(std::span<const std::string_view> locations) {
    std::vector<std::uint64_t> hashes(locations.size());
    for (std::size_t i = 0; i < locations.size(); ++i) {
        hashes[i] = HashOf(locations[i]);
    }
    const std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < locations.size(); ++i) {
        if (i + kPrefetchDistance < locations.size()) {
            __builtin_prefetch(&slots_[hashes[i + kPrefetchDistance] & (slots_.size() - 1)]);
        }
        RemoveLocked(hashes[i], locations[i]);
    }
}

void LocationSet::RemoveLocked(std::uint64_t hash, std::string_view location) {
    const Probe probe = Find(hash, location);
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

void LocationSet::Reserve(std::size_t locations) {
    const std::lock_guard lock(mutex_);
    ReserveLocked(locations);
}

void LocationSet::ReserveLocked(std::size_t locations) {
    const std::size_t capacity = CapacityFor(locations);
    if (capacity <= slots_.size()) {
        return;
    }
    std::vector<Slot> slots(capacity);
    for (const Slot& slot : slots_) {
        if (slot.Used()) {
            Place(slots, slot);
        }
    }
    slots_.swap(slots);
}

// Linear probing from the hash's home slot: the slot holding the location's key, or the empty
// slot where it would go.
LocationSet::Probe LocationSet::Find(std::uint64_t hash, std::string_view location) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.Used()) {
            return {i, false};
        }
        if (slot.hash == hash && SameKey(KeyOf(slot), location)) {
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
