#pragma once

#include <filesystem>
#include <string_view>

#include "files/result_file.h"

namespace quexa::files {

// The changes the file manager makes on disk. Nothing here shows a message: each reports how
// it ended and the caller says what went wrong.
class ResultFolderChange {
  public:
    enum class Outcome { Done, Exists, Failed };

    static constexpr std::string_view kCopyingText = "Copying file, please stand by...!";

    // A new folder named name in parent. Exists when parent has a folder of that name in any
    // letter case.
    static Outcome MakeFolder(const std::filesystem::path& parent, std::string_view name);
    // Renames a result file (name without ".qzr") or a folder within its folder. Replaces
    // nothing unless asked to (a file only): Exists when the new name is taken, letter case
    // counted.
    static Outcome Rename(const std::filesystem::path& path, std::string_view newName, bool isFile,
                          bool replace = false);
    // Copies or moves a file or a folder with everything in it into targetFolder under its own
    // name; never over an existing entry. A copy that fails half way leaves nothing behind; the
    // wait window counts the files copied and its Cancel stops the copy the same way.
    static Outcome Transfer(const std::filesystem::path& source,
                            const std::filesystem::path& targetFolder, bool move,
                            const FileProgress& progress = {});
    // Replaces an existing file by a copy of source, through a temporary file renamed over it.
    static bool CopyOver(const std::filesystem::path& source, const std::filesystem::path& target);
    // Writes the note and the author into the file's header in place, cut to their fields,
    // with the file's lock held from the read to the write.
    static bool WriteNoteAndAuthor(const std::filesystem::path& path, std::string_view note,
                                   std::string_view author);

  private:
    static bool CopyTree(const std::filesystem::path& source, const std::filesystem::path& target,
                         const FileProgress& progress);
};

}  // namespace quexa::files
