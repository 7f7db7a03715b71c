#include "tasks/other_options.h"

#include <filesystem>
#include <system_error>

#include "core/settings_table.h"

namespace quexa::tasks {

namespace settings = core::settings;

OtherOptions::OtherOptions()
    : values_(
          {&settings::kUseBackgroundImage, &settings::kBackgroundImage, &settings::kHorizontalGrid,
           &settings::kVerticalGrid, &settings::kAlternateColor, &settings::kDropDuplicates,
           &settings::kOperateFiles, &settings::kOperateFolders, &settings::kAutoSaveCount,
           &settings::kShowWelcome, &settings::kAutoSave, &settings::kTabbar},
          {&settings::kAuthorInfo, &settings::kWebBrowser}) {}

void OtherOptions::Load(const core::Profile& profile, std::string_view browserPath) {
    values_.Load(profile);
    values_.SetText(
        settings::kWebBrowser,
        profile.GetString(settings::kWebBrowser.section, settings::kWebBrowser.key, browserPath));
}

void OtherOptions::SetDefaults(core::SettingsCache& cache) {
    const std::string author = values_.Text(settings::kAuthorInfo);
    const std::string browser = values_.Text(settings::kWebBrowser);
    values_.SetDefaults();
    values_.SetInt(settings::kAlternateColor, 1);
    values_.SetText(settings::kAuthorInfo, author);
    values_.SetText(settings::kWebBrowser, browser);
    cache.operateFileTargets = true;
    cache.operateFolderTargets = true;
    cache.authorName = author;
}

bool OtherOptions::Apply(core::Profile& profile, core::SettingsCache& cache) const {
    values_.Store(profile, &settings::kWebBrowser);
    cache.operateFileTargets = values_.Flag(settings::kOperateFiles);
    cache.operateFolderTargets = values_.Flag(settings::kOperateFolders);
    cache.authorName = values_.Text(settings::kAuthorInfo);
    const std::string& browser = values_.Text(settings::kWebBrowser);
    std::error_code error;
    if (!browser.empty() && !std::filesystem::is_regular_file(browser, error)) {
        return false;
    }
    settings::kWebBrowser.Write(profile, browser);
    return true;
}

}  // namespace quexa::tasks
