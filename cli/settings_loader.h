#pragma once

#include <memory>
#include <stdexcept>

#include "cli/command_context.h"
#include "core/app_folders.h"
#include "platform/settings_store.h"

namespace quexa::cli {

// Thrown when the settings file can't be used; main reports it and exits with 1.
class SettingsRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The settings named by --settings, else QUEXA_SETTINGS, else the user's default settings.
// Throws SettingsRefused when that file is neither regular nor missing.
std::unique_ptr<platform::SettingsStore> OpenProfile(const CommandContext& context);
// The folders given by --home, else QUEXA_HOME, else the program's own.
core::AppFolders LocateFolders(const CommandContext& context);

}  // namespace quexa::cli
