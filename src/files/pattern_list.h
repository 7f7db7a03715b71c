#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "files/wildcard_pattern.h"

namespace quexa::files {

// The patterns of an Intranet search, in the order the person typed them.
class PatternList {
  public:
    // The text without blanks at its ends, cut at every ";": each part before a ";" is a
    // pattern, also an empty one, with its inner blanks kept; the part after the last ";"
    // only when it is not empty.
    static PatternList Parse(std::string_view text);
    // Nothing but ";" and blanks: no pattern worth searching for.
    static bool IsBlank(std::string_view text);

    bool Empty() const { return patterns_.empty(); }
    std::size_t Size() const { return patterns_.size(); }
    const WildcardPattern& operator[](std::size_t index) const { return patterns_[index]; }
    auto begin() const { return patterns_.begin(); }
    auto end() const { return patterns_.end(); }

  private:
    std::vector<WildcardPattern> patterns_;
};

}  // namespace quexa::files
