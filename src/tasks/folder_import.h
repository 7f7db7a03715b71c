#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"

namespace quexa::tasks {

// The file manager's Import: a result file from anywhere copied into a folder of the tree,
// asking before it replaces a file there and offering another name instead.
class FolderImport {
  public:
    static constexpr std::string_view kCaption = "Import Quexa Result File";
    static constexpr std::string_view kRenameCaption = "The file is existed , please rename it!";
    // The rename dialog, given the chosen file's name less its extension; nothing on Cancel.
    using AskName = std::function<std::optional<std::string>(const std::string& oldName)>;

    FolderImport(core::Prompter& prompter, AskName askName)
        : prompter_(prompter), askName_(std::move(askName)) {}

    // Asks for the file, then Into. The copy's path, or nothing when nothing was copied.
    std::optional<std::filesystem::path> Run(const std::filesystem::path& folder,
                                             const std::string& currentFile);
    std::optional<std::filesystem::path> Into(const std::filesystem::path& source,
                                              const std::filesystem::path& folder,
                                              const std::string& currentFile);

  private:
    // The target once no file is in the way or the person agreed to replace it.
    std::optional<std::filesystem::path> FreeTarget(const std::filesystem::path& source,
                                                    const std::filesystem::path& folder,
                                                    const std::string& currentFile);

    core::Prompter& prompter_;
    AskName askName_;
};

}  // namespace quexa::tasks
