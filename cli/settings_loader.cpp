#include "cli/settings_loader.h"

#include "platform/app_folder_locator.h"

namespace quexa::cli {

std::unique_ptr<platform::SettingsStore> OpenProfile(const CommandContext& context) {
    auto store = std::make_unique<platform::SettingsStore>(
        platform::SettingsStore::ChooseFile(context.settingsFile));
    if (const std::optional<std::string> refusal = store->Refusal()) {
        throw SettingsRefused(*refusal);
    }
    return store;
}

core::AppFolders LocateFolders(const CommandContext& context) {
    return platform::AppFolderLocator::Locate(context.home);
}

}  // namespace quexa::cli
