#pragma once

#include <string>

namespace quexa::tasks {

// The desktop's trash: what the target commands delete can be restored from there.
class Trash {
  public:
    virtual ~Trash() = default;
    // A file or a folder with everything in it; false when it is still where it was.
    virtual bool MoveToTrash(const std::string& path) = 0;
};

}  // namespace quexa::tasks
