#include "files/result_import.h"

#include "core/settings_table.h"

namespace quexa::files {

LoadedFile ImportResultFile(const std::filesystem::path& path, core::ResultList& list,
                            const core::Profile& profile, core::Prompter& prompter,
                            int previewHeight, const FileProgress& progress) {
    if (!PromptForPassword(path, prompter)) {
        return {LoadOutcome::Locked, {}};
    }
    LoadOptions options;
    options.append = true;
    options.skipListed = core::settings::kDropDuplicates.ReadFlag(profile);
    options.previewHeight = previewHeight;
    return LoadResultFile(path, list, options, progress);
}

}  // namespace quexa::files
