#pragma once

#include <memory>

#include "cli/command_context.h"
#include "core/app_folders.h"
#include "platform/settings_store.h"

namespace quexa::cli {

// The settings named by --settings, else QUEXA_SETTINGS, else the user's default settings.
std::unique_ptr<platform::SettingsStore> OpenProfile(const CommandContext& context);
// The folders given by --home, else QUEXA_HOME, else the program's own.
core::AppFolders LocateFolders(const CommandContext& context);

}  // namespace quexa::cli
