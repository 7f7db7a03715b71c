#include "tasks/network_options.h"

#include "core/settings_table.h"
#include "core/text.h"

namespace quexa::tasks {

namespace settings = core::settings;

NetworkOptions::NetworkOptions()
    : values_({&settings::kLineType, &settings::kVerifyTimeout, &settings::kSearchTimeout,
               &settings::kProxyUse},
              {&settings::kProxyServer, &settings::kProxyPort}) {}

void NetworkOptions::SetDefaults() {
    values_.SetInt(settings::kVerifyTimeout, settings::kVerifyTimeout.defaultValue);
    values_.SetInt(settings::kSearchTimeout, settings::kSearchTimeout.defaultValue);
}

void NetworkOptions::Apply(core::Profile& profile, core::SettingsCache& cache) {
    for (const core::TextSetting* text : {&settings::kProxyServer, &settings::kProxyPort}) {
        values_.SetText(*text, std::string(core::Trim(values_.Text(*text))));
    }
    values_.Store(profile);
    cache.LoadProxy(profile);
}

std::string NetworkOptions::TimeoutText(int seconds) {
    std::string text;
    if (seconds / 60 != 0) {
        text += std::to_string(seconds / 60) + " Min ";
    }
    if (seconds % 60 != 0) {
        text += std::to_string(seconds % 60) + " Sec";
    }
    return text;
}

}  // namespace quexa::tasks
