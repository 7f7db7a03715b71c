#pragma once

#include <string_view>

#include "core/profile.h"
#include "tasks/option_values.h"

namespace quexa::tasks {

// The "Verify Rule" page of the Options sheet: which items a verification checks and which it
// deletes afterwards.
class VerifyOptions {
  public:
    static constexpr std::string_view kNothingToVerifyText = "Haven't any item want to be verify !";

    VerifyOptions();

    OptionValues& values() { return values_; }
    const OptionValues& values() const { return values_; }

    void Load(const core::Profile& profile) { values_.Load(profile); }
    void SetDefaults() { values_.SetDefaults(); }
    // Stores the page as shown. A rule that verifies nothing is stored all the same, then the
    // page shows the defaults (stored only by a later Apply) and false tells the caller to say
    // kNothingToVerifyText.
    bool Apply(core::Profile& profile);

  private:
    OptionValues values_;
};

}  // namespace quexa::tasks
