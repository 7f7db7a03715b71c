#pragma once

#include <string>

#include "tasks/trash.h"

namespace quexa::platform {

// The desktop's trash: the user's data folder's Trash, with a .trashinfo file beside each
// entry, so the desktop's file manager can restore what was deleted.
class DesktopTrash : public tasks::Trash {
  public:
    bool MoveToTrash(const std::string& path) override;
};

}  // namespace quexa::platform
