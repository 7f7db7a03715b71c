#include "files/file_description.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace quexa::files {
namespace {

struct AttributeWord {
    std::uint32_t bit;
    std::string_view word;
};

constexpr std::array<AttributeWord, 11> kWords = {{
    {FileDescription::kTemporary, "Temp "},
    {FileDescription::kArchive, "Document "},
    {FileDescription::kCompressed, "Compress "},
    {FileDescription::kEncrypted, "Encrypt "},
    {FileDescription::kHidden, "Hidden "},
    {FileDescription::kNormal, "Normal "},
    {FileDescription::kOffline, "Offline "},
    {FileDescription::kReadOnly, "ReadOnly "},
    {FileDescription::kSparse, "Sparseness "},
    {FileDescription::kLink, "Link "},
    {FileDescription::kSystem, "System "},
}};

constexpr std::array<const char*, 7> kWeekdays = {"Sun.", "Mon.", "Tues.", "Wed.",
                                                  "Thu.", "Fri.", "Sat."};

constexpr std::uint32_t kAbnormal = FileDescription::kCompressed | FileDescription::kEncrypted |
                                    FileDescription::kHidden | FileDescription::kReadOnly |
                                    FileDescription::kSparse | FileDescription::kLink |
                                    FileDescription::kSystem;

std::string_view BaseName(const char* name) {
    const std::string_view path(name);
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::uint32_t AttributesOf(const struct statx& info, std::string_view baseName) {
    const mode_t mode = info.stx_mode;
    std::uint32_t bits = 0;
    const bool regular = S_ISREG(mode);
    const bool link = S_ISLNK(mode);
    if (regular) {
        bits |= FileDescription::kArchive;
        if (static_cast<std::uint64_t>(info.stx_blocks) * 512 < info.stx_size) {
            bits |= FileDescription::kSparse;
        }
    }
    if ((info.stx_attributes_mask & STATX_ATTR_COMPRESSED) != 0 &&
        (info.stx_attributes & STATX_ATTR_COMPRESSED) != 0) {
        bits |= FileDescription::kCompressed;
    }
    if ((info.stx_attributes_mask & STATX_ATTR_ENCRYPTED) != 0 &&
        (info.stx_attributes & STATX_ATTR_ENCRYPTED) != 0) {
        bits |= FileDescription::kEncrypted;
    }
    if (baseName.starts_with('.')) {
        bits |= FileDescription::kHidden;
    }
    if ((mode & S_IWUSR) == 0 && !link) {
        bits |= FileDescription::kReadOnly;
    }
    if (link) {
        bits |= FileDescription::kLink;
    }
    if (!regular && !link && !S_ISDIR(mode)) {
        bits |= FileDescription::kSystem;
    }
    if (regular && (bits & kAbnormal) == 0) {
        bits |= FileDescription::kNormal;
    }
    return bits;
}

}  // namespace

FileDescription FileDescription::Read(int dirFd, const char* name) {
    FileDescription description;
    struct statx info {};
    if (statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT,
              STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_BLOCKS | STATX_MTIME | STATX_BTIME,
              &info) != 0) {
        return description;
    }
    description.attributes = AttributesOf(info, BaseName(name));
    // A folder's own size is the file system's bookkeeping, not content.
    description.size = S_ISDIR(info.stx_mode) ? 0 : static_cast<std::int64_t>(info.stx_size);
    const bool born = (info.stx_mask & STATX_BTIME) != 0 && info.stx_btime.tv_sec != 0;
    description.created =
        static_cast<std::time_t>(born ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec);
    return description;
}

std::string FileDescription::Text() const {
    std::string text = "Attribute:";
    for (const AttributeWord& word : kWords) {
        if ((attributes & word.bit) != 0) {
            text += word.word;
        }
    }
    char line[128];
    std::snprintf(line, sizeof line, "\r\nSize: %lld (Byte)\r\n", static_cast<long long>(size));
    text += line;
    std::tm local{};
    localtime_r(&created, &local);
    std::snprintf(line, sizeof line, "Create: %d/%d/%d  Week: %s %d:%d:%d?", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday,
                  kWeekdays[static_cast<std::size_t>(local.tm_wday) % 7], local.tm_hour,
                  local.tm_min, local.tm_sec);
    text += line;
    return text;
}

std::string DescribeFile(const std::string& path) {
    return FileDescription::Read(AT_FDCWD, path.c_str()).Text();
}

}  // namespace quexa::files
