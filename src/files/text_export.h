#pragma once

#include <filesystem>
#include <string>

#include "core/result_item.h"
#include "core/result_list.h"
#include "files/export_fields.h"
#include "files/export_job.h"

namespace quexa::files {

// One item of the plain text export: for each field switched on, its label, its text and
// "\r\n", in the order Title, Location, SearchTarget, Preview.
std::string FormatTextItem(const core::ResultItem& item, const ExportFields& fields);

// The plain text export: the items one after the other, no separator between them. Written
// beside path and renamed over it, so a failure leaves an existing file as it was.
bool WriteTextExport(const std::filesystem::path& path, const core::ResultList& list,
                     const ExportJob& job);

}  // namespace quexa::files
