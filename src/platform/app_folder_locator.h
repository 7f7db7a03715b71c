#pragma once

#include <string>
#include <string_view>

#include "core/app_folders.h"

namespace quexa::platform {

// Finds the program's folders on this system.
class AppFolderLocator {
  public:
    // commandLineHome is --home; without it QUEXA_HOME, without that the program's folders.
    static core::AppFolders Locate(std::string_view commandLineHome);
    // Creates the writable folder (and its parents) when missing; false when it cannot be.
    static bool EnsureDataDirectory(const core::AppFolders& folders);
};

}  // namespace quexa::platform
