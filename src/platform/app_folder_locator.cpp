#include "platform/app_folder_locator.h"

#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quexa::platform {
namespace {

namespace fs = std::filesystem;

std::string Absolute(const fs::path& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? path : absolute).lexically_normal().string();
}

fs::path ProgramDirectory() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : program.parent_path();
}

std::string HomeFolder(std::string_view commandLineHome) {
    if (!commandLineHome.empty()) {
        return Absolute(fs::path(commandLineHome));
    }
    const char* fromEnvironment = std::getenv("QUEXA_HOME");
    if (fromEnvironment == nullptr || *fromEnvironment == '\0') {
        return {};
    }
    return Absolute(fs::path(fromEnvironment));
}

std::string UserDataFolder() {
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return (fs::path(shared.toStdString()) / "Morvane" / "Quexa").string();
}

}  // namespace

core::AppFolders AppFolderLocator::Locate(std::string_view commandLineHome) {
    core::AppFolders::Facts facts;
    facts.home = HomeFolder(commandLineHome);
    if (facts.home.empty()) {
        const fs::path program = ProgramDirectory();
        std::error_code error;
        facts.programDirectory = program.string();
        facts.programHasData = fs::is_directory(program / "Categories", error);
        facts.installedData = (program / ".." / "share" / "quexa").lexically_normal().string();
        facts.userData = UserDataFolder();
    }
    return core::AppFolders::Resolve(facts);
}

bool AppFolderLocator::EnsureDataDirectory(const core::AppFolders& folders) {
    std::error_code error;
    fs::create_directories(folders.dataDirectory, error);
    return fs::is_directory(folders.dataDirectory, error);
}

}  // namespace quexa::platform
