#include "files/html_export.h"

#include <optional>
#include <string>

#include "files/atomic_file.h"

namespace quexa::files {

bool WriteHtmlExport(const std::filesystem::path& path, const core::ResultList& list,
                     const HtmlTemplate& page, const ExportJob& job) {
    AtomicFile file(path);
    if (!file.Begin()) {
        return false;
    }
    file.Write(page.Head());
    std::string block;
    job.ForEachTaken(list, [&](std::size_t /*row*/, const core::ResultItem& item) {
        block.clear();
        page.AppendItem(block, item, job.fields);
        file.Write(block);
    });
    file.Write(page.Tail());
    return file.Commit();
}

bool WriteHtmlExport(const std::filesystem::path& path, const core::ResultList& list,
                     const std::filesystem::path& templatePath, std::string_view keywords,
                     const ExportJob& job) {
    const std::optional<HtmlTemplate> page =
        HtmlTemplate::Parse(HtmlTemplate::ReadText(templatePath), keywords);
    return page && WriteHtmlExport(path, list, *page, job);
}

}  // namespace quexa::files
