#pragma once

#include <string>
#include <string_view>

namespace quexa::tasks {

// What Browser Target and Open Dir make of a result location.
enum class LocationKind {
    // A share: "//server/share/..." (or with backslashes, as a list made elsewhere holds it).
    NetworkPath,
    // An absolute path ("/home/...") or a drive path ("C:\...") of a list made elsewhere.
    LocalPath,
    // A URL, or a host name and path without a scheme ("example.org/page").
    InternetAddress,
    Other,
};

// The kinds are tested in the order of the enumeration.
LocationKind KindOf(std::string_view location);

// Open Dir works on paths only.
inline bool IsPathKind(LocationKind kind) {
    return kind == LocationKind::NetworkPath || kind == LocationKind::LocalPath;
}

// What a browser is given: the location, with "http://" in front when it names no scheme.
std::string WebAddressFor(std::string_view location);

// The local path a location names: separators of either kind become "/", and a share
// (//server/share/...) is reached through the folder it is mounted on; a share that is not
// mounted keeps its name and will not be found.
std::string LocalPathOf(std::string_view location);

// What Open Dir opens: the location with every occurrence of the title taken out, so that a
// file whose name is its title opens its folder.
std::string FolderToExplore(std::string_view location, std::string_view title);

}  // namespace quexa::tasks
