#include "files/export_fields.h"

#include "core/settings_table.h"

namespace quexa::files {

namespace settings = core::settings;

ExportFields ExportFields::Load(const core::Profile& profile) {
    ExportFields fields;
    fields.title = settings::kExportTitle.ReadFlag(profile);
    fields.location = settings::kExportLocation.ReadFlag(profile);
    fields.target = settings::kExportTarget.ReadFlag(profile);
    fields.preview = settings::kExportPreview.ReadFlag(profile);
    fields.titleLabel = settings::kExportTitlePrefix.Read(profile);
    fields.locationLabel = settings::kExportLocationPrefix.Read(profile);
    fields.targetLabel = settings::kExportTargetPrefix.Read(profile);
    fields.previewLabel = settings::kExportPreviewPrefix.Read(profile);
    return fields;
}

}  // namespace quexa::files
