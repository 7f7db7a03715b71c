#include "files/list_export.h"

#include <string>

#include "core/text.h"
#include "files/html_export.h"
#include "files/link_list.h"
#include "files/tab_export.h"
#include "files/text_export.h"

namespace quexa::files {
namespace {

constexpr std::string_view kExportAllCaption = "Export All";
constexpr std::string_view kExportRuleCaption = "Export All Selected";
constexpr std::string_view kExportFilter =
    "HTML File(*.htm,*.html)|*.htm;*.html|Text File(*.txt) |*.txt|Quexa Result "
    "File(*.qzr)|*.qzr||";
constexpr std::string_view kTabExportFilter = "TAB Split Text File(*.txt)|*.txt||";
constexpr std::string_view kOfferedPrefix = "Quexa - ";

core::Prompter::FileRequest Request(bool all, std::string_view keywords, std::string_view filter,
                                    std::string_view extension) {
    core::Prompter::FileRequest request;
    request.use = core::Prompter::FileUse::Export;
    request.caption = all ? kExportAllCaption : kExportRuleCaption;
    request.filter = filter;
    request.defaultExtension = extension;
    request.offeredName = std::string(kOfferedPrefix) + std::string(keywords);
    return request;
}

ExportJob JobFor(const ExportSource& source, bool all) {
    ExportJob job = ExportJob::FromProfile(source.profile, all);
    job.progress = source.progress;
    return job;
}

bool WriteResult(const std::filesystem::path& path, bool all, const ExportSource& source) {
    const std::optional<ExportRule> rule =
        all ? std::nullopt : std::optional(ExportRule::Load(source.profile));
    return WriteResultFile(path, source.list, source.header, source.fileProgress,
                           rule ? &*rule : nullptr);
}

}  // namespace

ExportFormat ExportFormatFor(const std::filesystem::path& path) {
    const std::string extension = core::AsciiLower(path.extension().string());
    if (extension == ".qzr") {
        return ExportFormat::ResultFile;
    }
    if (extension == ".qzs") {
        return ExportFormat::LinkList;
    }
    if (extension == ".htm" || extension == ".html") {
        return ExportFormat::Html;
    }
    if (extension == ".txt") {
        return ExportFormat::Text;
    }
    return ExportFormat::None;
}

bool ExportList(const std::filesystem::path& path, bool all, const ExportSource& source,
                core::Prompter& prompter) {
    switch (ExportFormatFor(path)) {
        case ExportFormat::ResultFile:
            return WriteResult(path, all, source);
        case ExportFormat::LinkList:
            return WriteLinkList(path, source.list, JobFor(source, all), prompter);
        case ExportFormat::Html:
            return WriteHtmlExport(path, source.list, source.templatePath, source.header.keywords,
                                   JobFor(source, all));
        case ExportFormat::Text:
            return WriteTextExport(path, source.list, JobFor(source, all));
        case ExportFormat::None:
            break;
    }
    return false;
}

bool ExportTabList(const std::filesystem::path& path, bool all, const ExportSource& source) {
    return WriteTabExport(path, source.list, JobFor(source, all));
}

core::Prompter::FileRequest ExportFileRequest(bool all, std::string_view keywords) {
    return Request(all, keywords, kExportFilter, "qzr");
}

core::Prompter::FileRequest TabExportFileRequest(bool all, std::string_view keywords) {
    return Request(all, keywords, kTabExportFilter, "txt");
}

std::optional<std::filesystem::path> RunExportCommand(bool all, const ExportSource& source,
                                                      core::Prompter& prompter) {
    const std::optional<std::string> chosen =
        prompter.ChooseFile(ExportFileRequest(all, source.header.keywords));
    if (!chosen) {
        return std::nullopt;
    }
    const std::filesystem::path path(*chosen);
    if (!ExportList(path, all, source, prompter)) {
        prompter.Tell(core::Prompter::Title::Error, kExportFailed);
        return std::nullopt;
    }
    if (ExportFormatFor(path) == ExportFormat::Html && source.openPage) {
        source.openPage(path);
    }
    return path;
}

std::optional<std::filesystem::path> RunTabExportCommand(bool all, const ExportSource& source,
                                                         core::Prompter& prompter) {
    const std::optional<std::string> chosen =
        prompter.ChooseFile(TabExportFileRequest(all, source.header.keywords));
    if (!chosen || !ExportTabList(*chosen, all, source)) {
        return std::nullopt;
    }
    return std::filesystem::path(*chosen);
}

}  // namespace quexa::files
