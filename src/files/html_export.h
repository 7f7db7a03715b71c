#pragma once

#include <filesystem>
#include <string_view>

#include "core/result_list.h"
#include "files/export_job.h"
#include "files/html_template.h"

namespace quexa::files {

// The HTML export through a parsed template: the head, one item block per row taken, the
// tail. Written beside path and renamed over it.
bool WriteHtmlExport(const std::filesystem::path& path, const core::ResultList& list,
                     const HtmlTemplate& page, const ExportJob& job);

// The same with the template file at templatePath (the built-in page when it can't be read).
// False, and nothing written, when the template has no item block.
bool WriteHtmlExport(const std::filesystem::path& path, const core::ResultList& list,
                     const std::filesystem::path& templatePath, std::string_view keywords,
                     const ExportJob& job);

}  // namespace quexa::files
