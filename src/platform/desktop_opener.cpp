#include "platform/desktop_opener.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "tasks/location_kind.h"

namespace quexa::platform {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

void DesktopOpener::Browse(std::string_view location) {
    if (browserPath_.empty()) {
        launcher_.OpenUrl(tasks::WebAddressFor(location));
        return;
    }
    QProcess::startDetached(ToQString(browserPath_), QStringList{ToQString(location)});
}

tasks::LocationOpener::Failure DesktopOpener::Open(std::string_view location) {
    return Launch(tasks::LocalPathOf(location));
}

tasks::LocationOpener::Failure DesktopOpener::Explore(std::string_view location) {
    std::string path = tasks::LocalPathOf(location);
    const Failure failure = CheckPath(path);
    if (failure != Failure::None) {
        return failure;
    }
    if (!IsFolder(path)) {
        path = std::filesystem::path(path).parent_path().string();
    }
    return Launch(path);
}

tasks::LocationOpener::Failure DesktopOpener::CheckPath(const std::string& path) {
    if (path.empty()) {
        return Failure::FileNotFound;
    }
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        return access(path.c_str(), R_OK) == 0 ? Failure::None : Failure::AccessDenied;
    }
    switch (errno) {
        case ENOENT: {
            const std::filesystem::path parent = std::filesystem::path(path).parent_path();
            return parent.empty() || IsFolder(parent.string()) ? Failure::FileNotFound
                                                               : Failure::PathNotFound;
        }
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return Failure::PathNotFound;
        case EACCES:
        case EPERM:
            return Failure::AccessDenied;
        case ENOMEM:
            return Failure::OutOfMemory;
        default:
            return Failure::OutOfResources;
    }
}

tasks::LocationOpener::Failure DesktopOpener::Launch(const std::string& path) {
    const Failure failure = CheckPath(path);
    if (failure != Failure::None) {
        return failure;
    }
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    const QString absolute = QString::fromStdString(error ? path : full.string());
    return launcher_.OpenUrl(
               QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded).toStdString())
               ? Failure::None
               : Failure::NoAssociation;
}

}  // namespace quexa::platform
