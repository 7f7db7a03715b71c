#pragma once

#include <filesystem>
#include <optional>

#include "core/profile.h"
#include "core/prompter.h"
#include "core/result_list.h"
#include "files/result_file.h"

namespace quexa::files {

// Import: the password prompt, then the file's items behind the rows already listed, those
// whose location is listed skipped when "ImportADE" is set. The header of the file on
// success: the caller makes the file its current file and marks the list in use; the list
// stays marked modified. Locked when the password was not given; the caller tells the rest.
LoadedFile ImportResultFile(const std::filesystem::path& path, core::ResultList& list,
                            const core::Profile& profile, core::Prompter& prompter,
                            int previewHeight, const FileProgress& progress = {});

}  // namespace quexa::files
