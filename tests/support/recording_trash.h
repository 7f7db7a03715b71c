#pragma once

#include <string>
#include <vector>

#include "tasks/trash.h"

namespace quexa::testing {

// Records what was put in the trash without touching it; answers with `succeeds`.
class RecordingTrash : public tasks::Trash {
  public:
    bool MoveToTrash(const std::string& path) override {
        trashed.push_back(path);
        return succeeds;
    }

    bool succeeds = true;
    std::vector<std::string> trashed;
};

}  // namespace quexa::testing
