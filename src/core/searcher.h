#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quexa::core {

// Finds one needle many times: the skip table is built once, where memmem would build its own
// on every call (a page is searched for the same delimiters once per item).
class Searcher {
  public:
    explicit Searcher(std::string_view needle = {});

    // First position of the needle at or after from, or npos. An empty needle is found at from.
    std::size_t Find(std::string_view text, std::size_t from = 0) const;
    const std::string& needle() const { return needle_; }

  private:
    std::string needle_;
    std::array<std::size_t, 256> skip_{};
};

}  // namespace quexa::core
