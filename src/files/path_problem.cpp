#include "files/path_problem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quexa::files {
namespace fs = std::filesystem;

std::string PathProblem::ForReading(const fs::path& path) {
    if (path.empty()) {
        return "no file name given";
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return KindProblem(path, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return "is a folder, not a file";
    }
    if (S_ISFIFO(info.st_mode)) {
        return "is a FIFO (named pipe), not a file";
    }
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        return "is a device, not a file";
    }
    if (S_ISSOCK(info.st_mode)) {
        return "is a socket, not a file";
    }
    if (::access(path.c_str(), R_OK) != 0) {
        return KindProblem(path, errno);
    }
    return {};
}

std::string PathProblem::ForWriting(const fs::path& path) {
    if (path.empty()) {
        return "no file name given";
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return S_ISREG(info.st_mode) ? std::string() : ForReading(path);
    }
    if (errno != ENOENT) {
        return KindProblem(path, errno);
    }
    const fs::path parent = path.parent_path();
    if (parent.empty()) {
        return {};
    }
    if (::stat(parent.c_str(), &info) != 0) {
        return errno == ENOENT ? "the folder " + parent.string() + " does not exist"
                               : KindProblem(parent, errno);
    }
    return S_ISDIR(info.st_mode) ? std::string() : parent.string() + " is not a folder";
}

std::string PathProblem::KindProblem(const fs::path& path, int error) {
    switch (error) {
        case ENOENT: {
            std::error_code ignored;
            // A dangling link names a file that is not there.
            return fs::is_symlink(fs::symlink_status(path, ignored))
                       ? "is a symbolic link to a missing file"
                       : "no such file";
        }
        case ELOOP:
            return "is a loop of symbolic links";
        case ENOTDIR:
            return "a part of the path is not a folder";
        case EACCES:
        case EPERM:
            return "permission denied";
        case ENAMETOOLONG:
            return "the path is too long";
        default:
            return std::strerror(error);
    }
}

}  // namespace quexa::files
