#pragma once

#include "core/profile.h"
#include "core/result_item.h"

namespace quexa::files {

// Which rows "Seemly" exports take: profile section "System\Export", edited on the options'
// Export Rule page.
struct ExportRule {
    bool selected = false;
    bool ok = true;
    bool error = false;
    bool unknown = true;
    bool normal = true;
    bool visited = true;
    bool noVisit = false;

    static ExportRule Load(const core::Profile& profile);
    // First match wins: the check, then the status, then the visit code.
    bool Matches(const core::ResultItem& item) const;
};

// Reads the rule afresh for the one row.
bool MatchesExportRule(const core::Profile& profile, const core::ResultItem& item);

}  // namespace quexa::files
