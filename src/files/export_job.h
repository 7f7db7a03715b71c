#pragma once

#include <cstddef>
#include <functional>
#include <optional>

#include "core/profile.h"
#include "core/result_item.h"
#include "core/result_list.h"
#include "files/export_fields.h"
#include "files/export_rule.h"

namespace quexa::files {

// What one run of an export writer takes: the fields, the rows and where it reports progress.
struct ExportJob {
    // The main frame's progress bar: shown with the row count, stepped once per row (also for
    // rows left out), hidden when the rows are done. Each may be left empty.
    struct Progress {
        std::function<void(std::size_t rows)> show;
        std::function<void()> step;
        std::function<void()> hide;
    };

    ExportFields fields;
    // No rule: every row ("All").
    std::optional<ExportRule> rule;
    Progress progress;

    // The fields and, unless all, the rule, as the profile holds them now.
    static ExportJob FromProfile(const core::Profile& profile, bool all);

    bool Takes(const core::ResultItem& item) const { return !rule || rule->Matches(item); }
    // Calls take for every row the job takes, in list order, with the progress around it.
    void ForEachTaken(
        const core::ResultList& list,
        const std::function<void(std::size_t row, const core::ResultItem&)>& take) const;
};

}  // namespace quexa::files
