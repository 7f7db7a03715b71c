#pragma once

#include <string>
#include <vector>

#include "core/profile.h"

namespace quexa::tasks {

// What the Intranet search wizard's two pages store when the search starts, for the window's
// pages and quexa-cli find alike.
class IntranetWizard {
  public:
    // The patterns joined with ";".
    static std::string JoinPatterns(const std::vector<std::string>& patterns);
    // As the target page stores them: each target followed by ";", folders made absolute,
    // network shares as given, one of those differing only in letter case; empty for none.
    static std::string TargetText(const std::vector<std::string>& targets);
    // The patterns, the targets and the pattern history.
    static void Remember(core::Profile& profile, const std::string& patterns,
                         const std::string& targets);
};

}  // namespace quexa::tasks
