#include "files/result_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <system_error>

#include "core/text.h"
#include "files/protected_container.h"

namespace quexa::files {

namespace fs = std::filesystem;

namespace {

bool EndsWithExtension(const std::string& name) {
    constexpr std::string_view kLetters = ResultFolder::kExtension.substr(1);
    return name.size() >= kLetters.size() &&
           core::AsciiLower(std::string_view(name).substr(name.size() - kLetters.size())) ==
               kLetters;
}

// A symbolic link to a folder is listed as a folder but never followed into itself forever:
// each expansion reads one level only.
bool IsFolder(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error);
}

}  // namespace

// Only the header is read, without the container's stream and its buffer: a folder of ten
// thousand files is shown at the speed of reading their headers.
FilePicture ResultFolder::PictureOf(const fs::path& path) {
    ContainerHeader header;
    // Non-blocking: a FIFO named like a result file must not hold the tree up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return FilePicture::Unreadable;
    }
    const ssize_t got = ::read(fd, header.RawBytes().data(), header.RawBytes().size());
    ::close(fd);
    if (got != static_cast<ssize_t>(header.RawBytes().size())) {
        return FilePicture::Unreadable;
    }
    switch (ProtectedContainer::CheckVersion(header)) {
        case ProtectedContainer::Version::Ok:
            return ProtectedContainer::IsProtected(header) ? FilePicture::Protected
                                                           : FilePicture::Valid;
        case ProtectedContainer::Version::Newer:
            return FilePicture::Newer;
        case ProtectedContainer::Version::NotAResultFile:
            break;
    }
    return FilePicture::Unreadable;
}

std::vector<ResultFolderEntry> ResultFolder::List(const fs::path& folder) {
    std::vector<ResultFolderEntry> folders;
    std::vector<ResultFolderEntry> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        if (IsFolder(entry)) {
            folders.push_back({name, entry.path(), true, HasEntries(entry.path())});
        } else if (EndsWithExtension(name)) {
            files.push_back(
                {TextOf(entry.path(), true), entry.path(), false, false, PictureOf(entry.path())});
        }
    }
    folders.insert(folders.end(), std::make_move_iterator(files.begin()),
                   std::make_move_iterator(files.end()));
    return folders;
}

bool ResultFolder::HasEntries(const fs::path& folder) {
    std::error_code error;
    const fs::directory_iterator it(folder, error);
    return !error && it != fs::directory_iterator();
}

fs::path ResultFolder::ChildPath(const fs::path& folder, std::string_view text, bool isFile) {
    std::string name(text);
    if (isFile) {
        name += kExtension;
    }
    return folder / name;
}

std::string ResultFolder::TextOf(const fs::path& path, bool isFile) {
    std::string name = path.filename().string();
    // A file listed here ends in "qzr", with or without the dot before it.
    if (isFile && EndsWithExtension(name)) {
        name.resize(name.size() - (kExtension.size() - 1));
        if (!name.empty() && name.back() == '.') {
            name.pop_back();
        }
    }
    return name;
}

bool ResultFolder::Holds(const fs::path& folder, const fs::path& path) {
    const std::string outer = core::AsciiLower(folder.lexically_normal().string());
    const std::string inner = core::AsciiLower(path.lexically_normal().string());
    if (outer.empty() || inner.size() < outer.size() ||
        inner.compare(0, outer.size(), outer) != 0) {
        return false;
    }
    // "a/b" holds "a/b" and "a/b/c", not "a/bc".
    return inner.size() == outer.size() || inner[outer.size()] == '/' || outer.back() == '/';
}

bool ResultFolder::HasChild(const fs::path& folder, std::string_view text, bool isFile) {
    const std::string wanted = core::AsciiLower(text);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsFolder(*it) == isFile || (isFile && !EndsWithExtension(name))) {
            continue;
        }
        if (core::AsciiLower(TextOf(it->path(), isFile)) == wanted) {
            return true;
        }
    }
    return false;
}

bool ResultFolder::IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace quexa::files
