#include "tasks/target_commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "tasks/location_kind.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;

std::string WithoutTrailingSeparator(std::string path) {
    if (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

bool CopyFolder(const fs::path& source, const fs::path& destination) {
    std::error_code error;
    if (fs::exists(destination, error) && !fs::is_directory(destination, error)) {
        return false;
    }
    fs::copy(source, destination, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
             error);
    return !error;
}

bool MoveEntry(const fs::path& source, const fs::path& destination, bool folder) {
    std::error_code error;
    if (fs::exists(fs::symlink_status(destination, error))) {
        return false;
    }
    fs::rename(source, destination, error);
    if (error != std::errc::cross_device_link) {
        return !error;
    }
    // Another file system: a copy, then the source goes once the copy is whole.
    const bool copied =
        folder ? CopyFolder(source, destination)
               : fs::copy_file(source, destination, fs::copy_options::none, error) && !error;
    return copied && fs::remove_all(source, error) != static_cast<std::uintmax_t>(-1) && !error;
}

}  // namespace

bool TargetCommands::IsFolderTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    const bool readOnly = (info.st_mode & S_IWUSR) == 0;
    const bool hidden = fs::path(path).filename().string().starts_with('.');
    return !readOnly && !hidden;
}

bool TargetCommands::TargetExists(std::string_view location) {
    const std::string path = LocalPathOf(location);
    std::error_code error;
    return !path.empty() && fs::exists(fs::symlink_status(path, error));
}

std::string TargetCommands::DestinationIn(std::string_view folder, std::string_view location) {
    const std::string target = WithoutTrailingSeparator(LocalPathOf(location));
    const fs::path name = fs::path(target).filename();
    return (fs::path(WithoutTrailingSeparator(std::string(folder))) / name).string();
}

bool TargetCommands::Operate(const std::string& sourcePath, const std::string& destinationPath,
                             Mode mode) {
    const std::string source = WithoutTrailingSeparator(sourcePath);
    const std::string destination = WithoutTrailingSeparator(destinationPath);
    if (source.empty()) {
        return false;
    }
    const bool folder = IsFolderTarget(source);
    std::error_code error;
    switch (mode) {
        case Mode::Delete:
            return trash_.MoveToTrash(source);
        case Mode::Move:
            return MoveEntry(source, destination, folder);
        case Mode::Copy:
            if (folder) {
                return CopyFolder(source, destination);
            }
            return fs::copy_file(source, destination, fs::copy_options::none, error) && !error;
    }
    return false;
}

bool TargetCommands::CopyCurrentTarget(const core::ResultList& list, std::size_t row,
                                       std::string_view folder) {
    if (row >= list.Count() || folder.empty()) {
        return false;
    }
    const std::string& location = list.Item(row).location;
    return Operate(LocalPathOf(location), DestinationIn(folder, location), Mode::Copy);
}

template <typename Each>
std::size_t TargetCommands::ForEachSelected(const core::ResultList& list, std::string_view caption,
                                            Each each) {
    core::WaitState::Scope scope(wait_, {std::string(caption), std::string(kWorkingText)});
    scope.SetTotal(list.SelectedCount());
    std::size_t done = 0;
    std::size_t succeeded = 0;
    for (std::size_t row = 0; row < list.Count() && !scope.Cancelled(); ++row) {
        if (!list.Item(row).selected) {
            continue;
        }
        const std::string path = LocalPathOf(list.Item(row).location);
        if (wait_ != nullptr) {
            wait_->SetText(list.Item(row).location);
        }
        succeeded += each(row, path) ? 1 : 0;
        scope.SetPosition(++done);
        if (processPending_) {
            processPending_();
        }
    }
    return succeeded;
}

std::size_t TargetCommands::CopyAllSelectedTargets(const core::ResultList& list,
                                                   std::string_view folder, Options options) {
    if (folder.empty()) {
        return 0;
    }
    return ForEachSelected(list, kCopyCaption, [&](std::size_t row, const std::string& path) {
        const bool isFolder = IsFolderTarget(path);
        if (isFolder ? !options.operateFolders : !options.operateFiles) {
            return false;
        }
        return Operate(path, DestinationIn(folder, list.Item(row).location), Mode::Copy);
    });
}

bool TargetCommands::DeleteCurrentTarget(core::ResultList& list, std::size_t row) {
    if (row >= list.Count() || !Operate(LocalPathOf(list.Item(row).location), {}, Mode::Delete)) {
        return false;
    }
    return list.RemoveRow(row);
}

std::size_t TargetCommands::DeleteAllSelectedTargets(const core::ResultList& list,
                                                     Options options) {
    return ForEachSelected(list, kDeleteCaption, [&](std::size_t, const std::string& path) {
        const bool isFolder = IsFolderTarget(path);
        if (isFolder ? !options.operateFolders : !options.operateFiles) {
            return false;
        }
        return Operate(path, {}, Mode::Delete);
    });
}

}  // namespace quexa::tasks
