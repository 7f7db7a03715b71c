#pragma once

#include <filesystem>
#include <string>

#include "core/result_item.h"
#include "core/result_list.h"
#include "files/export_fields.h"
#include "files/export_job.h"

namespace quexa::files {

// One line of the TAB-separated export: Title, Location, SearchTarget and Preview, each
// (empty when switched off) followed by a TAB, then "\r\n". Always four TABs.
std::string FormatTabLine(const core::ResultItem& item, const ExportFields& fields);

// The TAB-separated export, one line per item; written as the plain text export is.
bool WriteTabExport(const std::filesystem::path& path, const core::ResultList& list,
                    const ExportJob& job);

}  // namespace quexa::files
