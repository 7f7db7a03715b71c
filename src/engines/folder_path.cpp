#include "engines/folder_path.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/text.h"

namespace quexa::engines {

namespace {

std::string PathKey(std::string_view path) {
    std::string key;
    for (const char c : core::AsciiLower(core::Trim(path))) {
        if (c != '/' || key.empty() || key.back() != '/') {
            key.push_back(c);
        }
    }
    return key;
}

}  // namespace

bool EnsureFolderPath(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return true;
    }
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

bool SamePath(std::string_view left, std::string_view right) {
    return PathKey(left) == PathKey(right);
}

bool IsFolderWritable(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path testFile = fs::path(folder) / "123.tmp";
    std::error_code error;
    const fs::file_status status = fs::symlink_status(testFile, error);
    if (fs::exists(status)) {
        if ((status.permissions() & fs::perms::owner_write) != fs::perms::none) {
            return true;
        }
        fs::permissions(testFile, fs::perms::owner_write, fs::perm_options::add, error);
        return false;
    }
    {
        std::ofstream out(testFile, std::ios::binary);
        if (!out.is_open()) {
            return false;
        }
    }
    fs::remove(testFile, error);
    return true;
}

bool FileNameBefore(const std::string& left, const std::string& right) {
    const std::string lowerLeft = core::AsciiLower(left);
    const std::string lowerRight = core::AsciiLower(right);
    return lowerLeft != lowerRight ? lowerLeft < lowerRight : left < right;
}

}  // namespace quexa::engines
