#pragma once

#include <cstddef>
#include <string>

namespace quexa::tasks {

// A verification worker's location: the worker reads it only before and after its synchronous
// notice; the user-interface thread writes the next location into it during the notice.
struct VerifyBuffer {
    static constexpr std::size_t kSize = 256;
    std::string location;
};

}  // namespace quexa::tasks
