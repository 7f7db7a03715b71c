#include "tasks/fast_info_reader.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace quexa::tasks {
namespace {

std::optional<std::tm> LocalTime(time_t seconds) {
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

}  // namespace

bool FastInfoReader::Version::SameAs(const Version& other) const {
    return path == other.path && device == other.device && inode == other.inode &&
           size == other.size && modifiedSeconds == other.modifiedSeconds &&
           modifiedNanoseconds == other.modifiedNanoseconds;
}

std::optional<FastInfoReader::Version> FastInfoReader::VersionOf(const std::string& path) {
    struct statx info {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        return std::nullopt;
    }
    Version version;
    version.path = path;
    version.device =
        (static_cast<unsigned long long>(info.stx_dev_major) << 32) | info.stx_dev_minor;
    version.inode = info.stx_ino;
    version.size = static_cast<long long>(info.stx_size);
    version.modifiedSeconds = info.stx_mtime.tv_sec;
    version.modifiedNanoseconds = info.stx_mtime.tv_nsec;
    // The birth time where the file system keeps one, else the last change of the content.
    version.created = LocalTime((info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime.tv_sec
                                                                   : info.stx_mtime.tv_sec);
    return version;
}

FastInfo FastInfoReader::Describe(const TaskState& state, std::size_t itemCount,
                                  std::string_view authorName) {
    FastInfoSource source;
    source.itemCount = itemCount;
    source.searchMode = state.searchMode;
    source.currentQuery = state.currentQuery;
    source.searchTarget = state.searchTarget;
    source.currentFile = state.currentFile;
    source.authorName = authorName;
    if (!state.currentFile.empty()) {
        std::optional<Version> version = VersionOf(state.currentFile);
        if (!version) {
            version_.reset();
            header_.reset();
        } else if (!version_ || !version_->SameAs(*version)) {
            header_ = files::ReadResultFileHeader(state.currentFile);
            ++headerReads_;
            version_ = std::move(version);
        }
        if (header_ && version_) {
            source.header = header_;
            source.created = version_->created;
        }
    }
    return DescribeFastInfo(source);
}

}  // namespace quexa::tasks
