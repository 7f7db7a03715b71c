#include "files/text_export.h"

#include "files/atomic_file.h"

namespace quexa::files {
namespace {

void AppendField(std::string& out, bool on, const std::string& label, const std::string& text) {
    if (on) {
        out += label;
        out += text;
        out += "\r\n";
    }
}

}  // namespace

std::string FormatTextItem(const core::ResultItem& item, const ExportFields& fields) {
    std::string out;
    AppendField(out, fields.title, fields.titleLabel, item.title);
    AppendField(out, fields.location, fields.locationLabel, item.location);
    AppendField(out, fields.target, fields.targetLabel, item.searchTarget);
    AppendField(out, fields.preview, fields.previewLabel, item.preview);
    return out;
}

bool WriteTextExport(const std::filesystem::path& path, const core::ResultList& list,
                     const ExportJob& job) {
    AtomicFile file(path);
    if (!file.Begin()) {
        return false;
    }
    job.ForEachTaken(list, [&](std::size_t /*row*/, const core::ResultItem& item) {
        file.Write(FormatTextItem(item, job.fields));
    });
    return file.Commit();
}

}  // namespace quexa::files
