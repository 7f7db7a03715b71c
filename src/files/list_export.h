#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "core/profile.h"
#include "core/prompter.h"
#include "core/result_list.h"
#include "files/export_job.h"
#include "files/result_file.h"

namespace quexa::files {

// The formats the Export command writes, chosen by the extension of the file.
enum class ExportFormat { None, ResultFile, LinkList, Html, Text };

// What the export commands need of the window that runs them.
struct ExportSource {
    const core::ResultList& list;
    // Export rule, fields and labels, read afresh by every export.
    const core::Profile& profile;
    // The current search: the key words of the page and everything a result file's header
    // carries.
    ResultFileHeader header;
    // Categories/html.htm in the program folder.
    std::filesystem::path templatePath;
    ExportJob::Progress progress;
    // The wait window of a result file export.
    FileProgress fileProgress;
    // Opens a written HTML page with the configured web browser; may be left empty.
    std::function<void(const std::filesystem::path&)> openPage;
};

inline constexpr std::string_view kExportFailed = "Operator failed!\nAn unknown error occupy!";

// By the extension in lower case: "qzr", "qzs", "htm" or "html", "txt"; anything else is None.
ExportFormat ExportFormatFor(const std::filesystem::path& path);

// Writes the list (all rows, or those meeting the export rule) in the format the extension
// names. False for an extension of no format or a failed writer; shows no box of its own.
bool ExportList(const std::filesystem::path& path, bool all, const ExportSource& source,
                core::Prompter& prompter);
// The TAB-separated export, whatever the extension.
bool ExportTabList(const std::filesystem::path& path, bool all, const ExportSource& source);

// Refuses, with an "Error:" box saying why, a target that is neither a regular file nor missing:
// exporting onto a device node or a FIFO must not put a regular file in its place.
bool CheckExportTarget(const std::filesystem::path& path, core::Prompter& prompter);

// The save-file dialogs of "Export All" / "Export All Seemly" and of the TAB export commands.
core::Prompter::FileRequest ExportFileRequest(bool all, std::string_view keywords);
core::Prompter::FileRequest TabExportFileRequest(bool all, std::string_view keywords);

// The commands: the dialog, the writer, the page opened or the failure shown. The path
// written, or nothing on Cancel or failure.
std::optional<std::filesystem::path> RunExportCommand(bool all, const ExportSource& source,
                                                      core::Prompter& prompter);
// A failure of the TAB export is not reported.
std::optional<std::filesystem::path> RunTabExportCommand(bool all, const ExportSource& source,
                                                         core::Prompter& prompter);

}  // namespace quexa::files
