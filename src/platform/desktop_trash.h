#pragma once

#include <string>

#include "tasks/trash.h"

namespace quexa::platform {

// The desktop's trash as the freedesktop.org specification lays it out (the user's data
// folder's Trash, with a .trashinfo file beside each entry), so the file manager restores it.
class DesktopTrash : public tasks::Trash {
  public:
    bool MoveToTrash(const std::string& path) override;
};

}  // namespace quexa::platform
