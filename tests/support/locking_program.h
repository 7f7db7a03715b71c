#pragma once

#include <filesystem>
#include <functional>

#include "forked_child.h"

namespace quexa::testing {

// Another program that holds the lock of a result file from its start until Finish lets it go,
// doing whileHeld first.
class LockingProgram : public ForkedChild {
  public:
    explicit LockingProgram(const std::filesystem::path& target,
                            const std::function<void()>& whileHeld = {});
};

}  // namespace quexa::testing
