#include "files/tab_export.h"

#include "files/atomic_file.h"

namespace quexa::files {
namespace {

// A tab or a line break inside a field would start another column or row.
void AppendCell(std::string& out, bool on, const std::string& text) {
    if (on) {
        for (const char c : text) {
            out += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
        }
    }
    out += '\t';
}

}  // namespace

std::string FormatTabLine(const core::ResultItem& item, const ExportFields& fields) {
    std::string out;
    AppendCell(out, fields.title, item.title);
    AppendCell(out, fields.location, item.location);
    AppendCell(out, fields.target, item.searchTarget);
    AppendCell(out, fields.preview, item.preview);
    out += "\r\n";
    return out;
}

bool WriteTabExport(const std::filesystem::path& path, const core::ResultList& list,
                    const ExportJob& job) {
    AtomicFile file(path);
    if (!file.Begin()) {
        return false;
    }
    job.ForEachTaken(list, [&](std::size_t /*row*/, const core::ResultItem& item) {
        file.Write(FormatTabLine(item, job.fields));
    });
    return file.Commit();
}

}  // namespace quexa::files
