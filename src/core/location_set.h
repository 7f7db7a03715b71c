#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
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
    void Remove(std::string_view location);
    void Clear();
    std::size_t Size() const;

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

    // Lower-cases into scratch_ and returns its hash.
    std::uint64_t LowerKey(std::string_view location) const;
    Probe Find(std::uint64_t hash) const;
    std::string_view KeyOf(const Slot& slot) const;
    void Place(std::vector<Slot>& slots, const Slot& slot) const;
    void Grow();
    void Compact();
    void EraseAt(std::size_t index);

    mutable std::mutex mutex_;
    mutable std::string scratch_;
    std::vector<Slot> slots_;
    // Every key, back to back; removed keys stay as garbage until Compact.
    std::string keys_;
    std::size_t size_ = 0;
    std::size_t garbage_ = 0;
};

}  // namespace quexa::core
