#include "tasks/export_options.h"

#include "core/settings_table.h"

namespace quexa::tasks {

namespace settings = core::settings;

ExportOptions::ExportOptions()
    : values_({&settings::kExportSelected, &settings::kExportTarget, &settings::kExportUnreachable,
               &settings::kExportNormal, &settings::kExportUnvisited, &settings::kExportReachable,
               &settings::kExportPreview, &settings::kExportTitle, &settings::kExportUnknown,
               &settings::kExportLocation, &settings::kExportVisited},
              {&settings::kExportTargetPrefix, &settings::kExportPreviewPrefix,
               &settings::kExportTitlePrefix, &settings::kExportLocationPrefix}) {}

}  // namespace quexa::tasks
