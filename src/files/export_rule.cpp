#include "files/export_rule.h"

#include "core/settings_table.h"

namespace quexa::files {

using core::StatusCode;
using core::VisitCode;
namespace settings = core::settings;

ExportRule ExportRule::Load(const core::Profile& profile) {
    ExportRule rule;
    rule.selected = settings::kExportSelected.ReadFlag(profile);
    rule.ok = settings::kExportReachable.ReadFlag(profile);
    rule.error = settings::kExportUnreachable.ReadFlag(profile);
    rule.unknown = settings::kExportUnknown.ReadFlag(profile);
    rule.normal = settings::kExportNormal.ReadFlag(profile);
    rule.visited = settings::kExportVisited.ReadFlag(profile);
    rule.noVisit = settings::kExportUnvisited.ReadFlag(profile);
    return rule;
}

bool ExportRule::Matches(const core::ResultItem& item) const {
    if (selected && item.selected) {
        return true;
    }
    switch (item.status) {
        case StatusCode::Reachable:
            if (ok) {
                return true;
            }
            break;
        case StatusCode::Unknown:
            if (unknown) {
                return true;
            }
            break;
        case StatusCode::Unreachable:
            if (error) {
                return true;
            }
            break;
        case StatusCode::Normal:
            if (normal) {
                return true;
            }
            break;
        case StatusCode::Timeout:
        case StatusCode::Verifing:
            break;
    }
    return item.visit == VisitCode::Visited ? visited : noVisit;
}

bool MatchesExportRule(const core::Profile& profile, const core::ResultItem& item) {
    return ExportRule::Load(profile).Matches(item);
}

}  // namespace quexa::files
