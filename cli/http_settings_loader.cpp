#include "cli/http_settings_loader.h"

#include "cli/settings_loader.h"
#include "core/settings_cache.h"

namespace quexa::cli {

web::HttpSettings LoadHttpSettings(const CommandContext& context,
                                   const core::IntSetting& timeoutSetting,
                                   std::optional<int> timeoutSeconds) {
    const auto profile = OpenProfile(context);
    core::SettingsCache cache;
    cache.LoadProxy(*profile);
    web::HttpSettings settings;
    settings.proxyEnabled = cache.proxyEnabled;
    settings.proxyAddress = cache.proxyAddress;
    settings.contact = cache.contact;
    settings.timeoutSeconds = timeoutSeconds.value_or(timeoutSetting.Read(*profile));
    return settings;
}

}  // namespace quexa::cli
