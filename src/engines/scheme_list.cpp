#include "engines/scheme_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/settings_table.h"
#include "core/text.h"
#include "engines/folder_path.h"
#include "engines/scheme_file.h"

namespace quexa::engines {

namespace {

bool IsSystemSchemeName(std::string_view name) {
    return core::AsciiLower(core::Trim(name)) == core::AsciiLower(kSystemSchemeName);
}

std::string CollapseSeparators(std::string_view path) {
    std::string collapsed;
    for (const char c : path) {
        if (c != '/' || collapsed.empty() || collapsed.back() != '/') {
            collapsed.push_back(c);
        }
    }
    return collapsed;
}

}  // namespace

std::vector<std::string> ListSchemes(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        if (fileName.size() <= kSchemeExtension.size() || !fileName.ends_with(kSchemeExtension) ||
            !it->is_regular_file(error)) {
            continue;
        }
        std::string name = fileName.substr(0, fileName.size() - kSchemeExtension.size());
        if (!IsSystemSchemeName(name)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), FileNameBefore);
    names.insert(names.begin(), std::string(kSystemSchemeName));
    return names;
}

std::string ReadSchemeNote(const std::string& path) {
    if (!SchemeFile::Validate(path)) {
        return {};
    }
    SchemeFile file;
    SchemeHeader header;
    if (!file.Open(path) || !file.ReadHeader(header)) {
        return {};
    }
    return header.note;
}

std::string SchemePath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += name;
    path += kSchemeExtension;
    return path;
}

std::size_t SelectRememberedScheme(const std::vector<std::string>& schemes, std::string_view folder,
                                   std::string_view storedPath) {
    if (storedPath.empty()) {
        return 0;
    }
    for (std::size_t i = 0; i < schemes.size(); ++i) {
        if (SamePath(SchemePath(folder, schemes[i]), storedPath)) {
            return i;
        }
    }
    return 0;
}

std::string RememberedSchemeValue(const std::vector<std::string>& schemes, std::string_view folder,
                                  std::size_t index) {
    if (index == 0 || index >= schemes.size()) {
        return {};
    }
    return CollapseSeparators(SchemePath(folder, schemes[index]));
}

std::string GetLastScheme(const core::Profile& profile, std::string_view dir) {
    const auto& setting = core::settings::kLastScheme;
    return setting.Read(profile, setting.KeyFor(dir));
}

void SetLastScheme(core::Profile& profile, std::string_view dir, std::string_view path) {
    const auto& setting = core::settings::kLastScheme;
    setting.Write(profile, setting.KeyFor(dir), path);
}

}  // namespace quexa::engines
