#include "files/result_folder_change.h"

#include <fcntl.h>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

#include "core/text.h"
#include "files/atomic_file.h"
#include "files/protected_container.h"
#include "files/result_file_lock.h"
#include "files/result_folder.h"

namespace quexa::files {

namespace fs = std::filesystem;

namespace {

using Outcome = ResultFolderChange::Outcome;

// Never over an existing entry, also when another program makes one meanwhile.
Outcome RenameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return Outcome::Done;
    }
    if (errno == EEXIST) {
        return Outcome::Exists;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return Outcome::Failed;
    }
    // A file system without the flag: look first.
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error))) {
        return Outcome::Exists;
    }
    fs::rename(from, to, error);
    return error ? Outcome::Failed : Outcome::Done;
}

std::uint64_t CountFiles(const fs::path& source) {
    std::error_code error;
    if (!fs::is_directory(fs::symlink_status(source, error))) {
        return 1;
    }
    std::uint64_t count = 0;
    for (fs::recursive_directory_iterator it(source, error), end; !error && it != end;
         it.increment(error)) {
        count += it->is_directory(error) ? 0 : 1;
    }
    return count;
}

class CopyRun {
  public:
    CopyRun(const fs::path& source, const FileProgress& progress)
        : progress_(progress),
          scope_(progress.wait,
                 {.caption = {}, .text = std::string(ResultFolderChange::kCopyingText)}) {
        scope_.SetTotal(CountFiles(source));
    }

    bool Copy(const fs::path& from, const fs::path& to) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(from, error);
        if (error) {
            return false;
        }
        if (fs::is_symlink(status)) {
            fs::copy_symlink(from, to, error);
            return !error && Step();
        }
        if (!fs::is_directory(status)) {
            return fs::copy_file(from, to, fs::copy_options::none, error) && Step();
        }
        if (!fs::create_directory(to, error)) {
            return false;
        }
        for (fs::directory_iterator it(from, error), end; !error && it != end;
             it.increment(error)) {
            if (!Copy(it->path(), to / it->path().filename())) {
                return false;
            }
        }
        return !error;
    }

  private:
    bool Step() {
        scope_.SetPosition(++done_);
        if (progress_.processPending) {
            progress_.processPending();
        }
        return !scope_.Cancelled();
    }

    const FileProgress& progress_;
    core::WaitState::Scope scope_;
    std::uint64_t done_ = 0;
};

}  // namespace

Outcome ResultFolderChange::MakeFolder(const fs::path& parent, std::string_view name) {
    if (!ResultFolder::IsPlainName(name)) {
        return Outcome::Failed;
    }
    if (ResultFolder::HasChild(parent, name, false)) {
        return Outcome::Exists;
    }
    std::error_code error;
    if (fs::create_directory(ResultFolder::ChildPath(parent, name, false), error)) {
        return Outcome::Done;
    }
    return error ? Outcome::Failed : Outcome::Exists;
}

Outcome ResultFolderChange::Rename(const fs::path& path, std::string_view newName, bool isFile,
                                   bool replace) {
    if (!ResultFolder::IsPlainName(newName)) {
        return Outcome::Failed;
    }
    const fs::path target = ResultFolder::ChildPath(path.parent_path(), newName, isFile);
    std::error_code error;
    if (replace && isFile && fs::is_regular_file(target, error)) {
        fs::rename(path, target, error);
        return error ? Outcome::Failed : Outcome::Done;
    }
    return RenameNoReplace(path, target);
}

Outcome ResultFolderChange::Transfer(const fs::path& source, const fs::path& targetFolder,
                                     bool move, const FileProgress& progress) {
    const fs::path target = targetFolder / source.filename();
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) {
        return Outcome::Exists;
    }
    if (move) {
        const Outcome renamed = RenameNoReplace(source, target);
        if (renamed != Outcome::Failed || errno != EXDEV) {
            return renamed;
        }
    }
    if (!CopyTree(source, target, progress)) {
        return Outcome::Failed;
    }
    if (move) {
        fs::remove_all(source, error);
    }
    return Outcome::Done;
}

bool ResultFolderChange::CopyTree(const fs::path& source, const fs::path& target,
                                  const FileProgress& progress) {
    CopyRun run(source, progress);
    if (run.Copy(source, target)) {
        return true;
    }
    std::error_code error;
    fs::remove_all(target, error);
    return false;
}

bool ResultFolderChange::CopyOver(const fs::path& source, const fs::path& target) {
    std::ifstream in(source, std::ios::binary);
    AtomicFile out(target);
    if (!in || !out.Begin()) {
        return false;
    }
    std::vector<char> buffer(1 << 16);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got > 0 && !out.Write({buffer.data(), got})) {
            return false;
        }
    }
    return in.eof() && out.Commit();
}

bool ResultFolderChange::WriteNoteAndAuthor(const fs::path& path, std::string_view note,
                                            std::string_view author) {
    const ResultFileLock lock(path);
    ProtectedContainer container;
    ContainerHeader header;
    if (!lock.held() || !container.Open(path) || !container.ReadHeader(header)) {
        return false;
    }
    header.SetNote(note);
    header.SetAuthor(author);
    return container.WriteHeader(header);
}

}  // namespace quexa::files
