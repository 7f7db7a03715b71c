#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quexa::core {

// The locations already in the result list, compared without ASCII letter case. Search workers
// and the user-interface thread both use it, so every call is atomic on its own.
//
// An open-addressing table over one buffer of keys: a million locations cost a few large
// blocks instead of two small allocations each, which is what keeps adding items fast.
class LocationSet {
  public:
    // Room for this many locations before the table first grows.
    static constexpr std::size_t kInitialRoom = 4096;

    LocationSet();
    LocationSet(const LocationSet&) = delete;
    LocationSet& operator=(const LocationSet&) = delete;

    bool Contains(std::string_view location) const;
    // False when the location was already present: test and insert in one step.
    bool Insert(std::string_view location);
    // The hash the set gives a location, which any thread can work out ahead of InsertAll.
    static std::uint64_t HashOf(std::string_view location);
    // Inserts the locations in order under one lock, each with its HashOf; inserted[i] is
    // whether locations[i] was new. One lock for the run lets the table's cache misses overlap
    // instead of waiting one after another: this is how a load adds many items fast.
    void InsertAll(std::span<const std::string_view> locations,
                   std::span<const std::uint64_t> hashes, std::span<bool> inserted);
    void Remove(std::string_view location);
    // Removes the locations under one lock, fetching their slots ahead as InsertAll does.
    void RemoveAll(std::span<const std::string_view> locations);
    void Clear();
    std::size_t Size() const;
    // Room for this many locations in all without the table growing on the way.
    void Reserve(std::size_t locations);

  private:
    struct Slot {
        static constexpr std::size_t kEmpty = SIZE_MAX;
        std::uint64_t hash = 0;
        std::size_t offset = kEmpty;
        std::size_t length = 0;
        bool Used() const { return offset != kEmpty; }
    };
    struct Probe {
        std::size_t index;
        bool found;
    };

    Probe Find(std::uint64_t hash, std::string_view location) const;
    bool InsertLocked(std::uint64_t hash, std::string_view location);
    void RemoveLocked(std::uint64_t hash, std::string_view location);
    void ReserveLocked(std::size_t locations);
    std::string_view KeyOf(const Slot& slot) const;
    void Place(std::vector<Slot>& slots, const Slot& slot) const;
    void Grow();
    void Compact();
    void EraseAt(std::size_t index);

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
    // Every key lower-cased, back to back; removed keys stay as garbage until Compact.
    std::string keys_;
    std::size_t size_ = 0;
    std::size_t garbage_ = 0;
};

}  // namespace quexa::core
