#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quexa::core {

// Where each row of the result list stands, found by the row's storage slot. Renumbering every
// row behind a deleted one would make each deletion touch the whole list; instead the rows keep
// the numbers they had when last counted, the numbers of the rows gone since are kept sorted,
// and a row's place is its number less the gone rows before it. A sort or an insertion above
// the last row has them counted again when next asked.
class RowPositions {
  public:
    // Everything moved: count again when next asked.
    void Invalidate() { valid_ = false; }
    // The list is empty again.
    void Reset();
    // A row went behind the last one.
    void Appended(std::uint32_t slot);
    // The row in that slot left the list.
    void Removed(std::uint32_t slot);
    // order[position] is the slot of the row there; the slot must hold a row of it.
    std::size_t PositionOf(std::uint32_t slot, std::span<const std::uint32_t> order);

  private:
    // Beyond this many rows gone, counting again is cheaper than keeping their numbers.
    static constexpr std::size_t kMaxGone = 4096;

    void Count(std::span<const std::uint32_t> order);

    // By slot: the row's number when last counted, or as it was appended since.
    std::vector<std::uint32_t> number_;
    // The numbers of the rows gone since the last count, ascending.
    std::vector<std::uint32_t> gone_;
    std::uint32_t next_ = 0;
    // An empty list is counted; rows appended keep it so, so a load costs no count.
    bool valid_ = true;
};

}  // namespace quexa::core
