#include "tasks/file_property.h"

#include <fcntl.h>
#include <cstdio>

#include "files/file_description.h"
#include "files/protected_container.h"
#include "tasks/fast_info.h"

namespace quexa::tasks {

namespace {

std::string ModeText(char mode) {
    switch (mode) {
        case 'A':
            return "Internet Search";
        case 'B':
            return "Intranet Search";
        case 'C':
            return "Free Edit Mode";
        default:
            return {};
    }
}

std::string CreatedText(const std::filesystem::path& path) {
    const std::time_t created = files::FileDescription::Read(AT_FDCWD, path.c_str()).created;
    std::tm local{};
    localtime_r(&created, &local);
    return FormatFastInfoDate(local);
}

}  // namespace

std::optional<FileProperty> FileProperty::Read(const std::filesystem::path& path) {
    files::ProtectedContainer container;
    files::ContainerHeader header;
    if (!container.Open(path) || !container.ReadHeader(header)) {
        return std::nullopt;
    }
    FileProperty property;
    property.isProtected = container.IsProtected();
    property.note = header.Note();
    property.author = header.Author();
    const char mode = header.ModeLetter();
    auto& rows = property.rows;
    rows.emplace_back("Type: ", "Quexa Result File");
    rows.emplace_back("Version: ", std::string(1, header.FormatLetter()));
    if (mode != 'C') {
        rows.emplace_back("Key: ", header.Keywords());
    }
    if (mode == 'A') {
        rows.emplace_back("Scheme:", header.SearchTarget());
    }
    rows.emplace_back("Mode: ", ModeText(mode));
    char count[32];
    std::snprintf(count, sizeof count, "Count: %u", header.RecordCount());
    rows.emplace_back("Count: ", count);
    rows.emplace_back("Encrypt: ", property.isProtected ? "Yes" : "No");
    rows.emplace_back("Key Length: ", "120 Bit");
    rows.emplace_back("Date: ", CreatedText(path));
    rows.emplace_back("Location: ", path.string());
    return property;
}

}  // namespace quexa::tasks
