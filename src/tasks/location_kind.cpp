#include "tasks/location_kind.h"

#include <algorithm>
#include <cctype>

#include "files/mount_table.h"

namespace quexa::tasks {
namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

bool IsSchemeCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) != 0 || c == '+' || c == '-' || c == '.';
}

// "scheme:" before the rest: letters first, then letters, digits, "+", "-" or ".".
std::string_view::size_type SchemeLength(std::string_view location) {
    const auto colon = location.find(':');
    if (colon == std::string_view::npos || colon == 0 ||
        std::isalpha(static_cast<unsigned char>(location[0])) == 0) {
        return 0;
    }
    const std::string_view scheme = location.substr(0, colon);
    return std::all_of(scheme.begin(), scheme.end(), IsSchemeCharacter) ? colon : 0;
}

bool IsHostCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalnum(byte) != 0 || c == '-' || c == '.' || c == '_' || byte >= 0x80;
}

// A host, an optional ":port" and an optional path, query or fragment without blanks.
bool ParsesAsHostAndPath(std::string_view text) {
    const auto end = text.find_first_of("/?#");
    const std::string_view authority = text.substr(0, end);
    const std::string_view rest = end == std::string_view::npos ? "" : text.substr(end);
    const auto colon = authority.rfind(':');
    const std::string_view host = authority.substr(0, colon);
    if (host.empty() || !std::all_of(host.begin(), host.end(), IsHostCharacter)) {
        return false;
    }
    if (colon != std::string_view::npos) {
        const std::string_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return false;
        }
    }
    return std::none_of(rest.begin(), rest.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

bool ParsesAsUrl(std::string_view location) {
    const auto schemeLength = SchemeLength(location);
    if (schemeLength == 0) {
        return false;
    }
    const std::string_view rest = location.substr(schemeLength + 1);
    if (rest.starts_with("//")) {
        return ParsesAsHostAndPath(rest.substr(2));
    }
    // "mailto:someone@example.org", "news:group": anything after the colon but blanks.
    return !rest.empty() && std::none_of(rest.begin(), rest.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ';
    });
}

}  // namespace

LocationKind KindOf(std::string_view location) {
    if (location.size() >= 2 && IsSeparator(location[0]) && IsSeparator(location[1])) {
        return LocationKind::NetworkPath;
    }
    if (location.starts_with('/') || location.find(":\\") == 1) {
        return LocationKind::LocalPath;
    }
    if (ParsesAsUrl(location) || ParsesAsHostAndPath(location)) {
        return LocationKind::InternetAddress;
    }
    return LocationKind::Other;
}

std::string WebAddressFor(std::string_view location) {
    const auto schemeLength = SchemeLength(location);
    // "host:8080/page" has no scheme; "mailto:" has no "//".
    if (schemeLength != 0 && (location.substr(schemeLength + 1).starts_with("//") ||
                              location.substr(0, schemeLength) == "mailto")) {
        return std::string(location);
    }
    return "http://" + std::string(location);
}

std::string LocalPathOf(std::string_view location) {
    std::string path(location);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (KindOf(path) != LocationKind::NetworkPath) {
        return path;
    }
    const files::MountTable mounts = files::MountTable::Parse(files::MountTable::ReadSystemText());
    return mounts.LocalPathOf(path).value_or(path);
}

std::string FolderToExplore(std::string_view location, std::string_view title) {
    std::string folder(location);
    if (title.empty()) {
        return folder;
    }
    for (auto at = folder.find(title); at != std::string::npos; at = folder.find(title, at)) {
        folder.erase(at, title.size());
    }
    return folder;
}

}  // namespace quexa::tasks
