#pragma once

#include <string>

#include "core/profile.h"
#include "core/settings_cache.h"
#include "tasks/option_values.h"

namespace quexa::tasks {

// The "Network and Performance" page of the Options sheet: line type, the two time-outs and the
// proxy.
class NetworkOptions {
  public:
    NetworkOptions();

    OptionValues& values() { return values_; }
    const OptionValues& values() const { return values_; }

    void Load(const core::Profile& profile) { values_.Load(profile); }
    // Both time-outs back to 45; the line type and the proxy stay as shown.
    void SetDefaults();
    // Stores the page with the proxy texts trimmed and brings the cache's proxy up to date.
    void Apply(core::Profile& profile, core::SettingsCache& cache);

    // The text beside a time-out slider: "45 Sec", "1 Min ", "1 Min 30 Sec".
    static std::string TimeoutText(int seconds);

  private:
    OptionValues values_;
};

}  // namespace quexa::tasks
