#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile.h"

namespace quexa::engines {

// The system scheme: first in every list, no file, every engine of the category with 10 each.
inline constexpr std::string_view kSystemSchemeName = "System Scheme";
inline constexpr std::string_view kSystemSchemeNote =
    "This scheme is holdded by system, you can use this scheme, but can not edit it!";
inline constexpr std::string_view kSchemeExtension = ".scm";
inline constexpr int kSystemSchemeReturnNumber = 10;

// The schemes of a scheme folder: the system scheme, then every "*.scm" file's name in name
// order; a file named like the system scheme (case and outer blanks ignored) is left out.
std::vector<std::string> ListSchemes(const std::string& folder);

// The note of a valid scheme file, else empty.
std::string ReadSchemeNote(const std::string& path);

// folder + name + ".scm"; the folder ends in a separator.
std::string SchemePath(std::string_view folder, std::string_view name);

// The entry to select for the remembered scheme path: the first whose path equals it (letter
// case and runs of separators ignored), else 0, the system scheme.
std::size_t SelectRememberedScheme(const std::vector<std::string>& schemes, std::string_view folder,
                                   std::string_view storedPath);

// What is remembered for an entry: empty for the system scheme, else the scheme file's path
// with doubled separators reduced to one.
std::string RememberedSchemeValue(const std::vector<std::string>& schemes, std::string_view folder,
                                  std::size_t index);

// The remembered scheme path of a category directory ("<dir>.LastScheme" in "UserData\Scheme").
std::string GetLastScheme(const core::Profile& profile, std::string_view dir);
void SetLastScheme(core::Profile& profile, std::string_view dir, std::string_view path);

}  // namespace quexa::engines
