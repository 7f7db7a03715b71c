#include "tasks/verify_options.h"

#include <algorithm>
#include <array>

#include "core/settings_table.h"

namespace quexa::tasks {

namespace settings = core::settings;

VerifyOptions::VerifyOptions()
    : values_({&settings::kVerifyUnreachable, &settings::kVerifyNormal, &settings::kVerifyReachable,
               &settings::kVerifySelected, &settings::kVerifyUnknown, &settings::kDeleteUnreachable,
               &settings::kDeleteUnknown},
              {}) {}

bool VerifyOptions::Apply(core::Profile& profile) {
    values_.Store(profile);
    const std::array<const core::IntSetting*, 5> verifyFollowing{
        &settings::kVerifyUnknown, &settings::kVerifySelected, &settings::kVerifyNormal,
        &settings::kVerifyReachable, &settings::kVerifyUnreachable};
    const bool verifiesSomething =
        std::any_of(verifyFollowing.begin(), verifyFollowing.end(),
                    [this](const core::IntSetting* setting) { return values_.Flag(*setting); });
    if (!verifiesSomething) {
        values_.SetDefaults();
    }
    return verifiesSomething;
}

}  // namespace quexa::tasks
