#pragma once

#include <string>
#include <string_view>

#include "core/profile.h"
#include "core/settings_cache.h"
#include "tasks/option_values.h"

namespace quexa::tasks {

// The "Other" page of the Options sheet: the list's look, duplicates, the author, the target
// operations, automatic saving, the welcome image and the browser.
class OtherOptions {
  public:
    static constexpr std::string_view kNoSuchBrowserText = "The special browser isn't existed!";

    OtherOptions();

    OptionValues& values() { return values_; }
    const OptionValues& values() const { return values_; }

    // The browser shows the one in use when none is stored.
    void Load(const core::Profile& profile, std::string_view browserPath);
    // The page's defaults, with alternate row colours on although an empty profile reads them
    // as off; the author and the browser stay as shown. The target operations and the author go
    // to the cache at once.
    void SetDefaults(core::SettingsCache& cache);
    // Stores the page and brings the cache's target operations and author up to date. The
    // browser is stored only when it names an existing file, or is empty for the desktop's
    // default; false tells the caller to say kNoSuchBrowserText.
    bool Apply(core::Profile& profile, core::SettingsCache& cache) const;

  private:
    OptionValues values_;
};

}  // namespace quexa::tasks
