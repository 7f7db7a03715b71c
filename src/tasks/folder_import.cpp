#include "tasks/folder_import.h"

#include <system_error>

#include "core/text.h"
#include "files/path_problem.h"
#include "files/result_folder.h"
#include "files/result_folder_change.h"
#include "tasks/result_document.h"

namespace quexa::tasks {

namespace fs = std::filesystem;
using Title = core::Prompter::Title;
using Answer = core::Prompter::Answer;

std::optional<fs::path> FolderImport::Run(const fs::path& folder, const std::string& currentFile) {
    core::Prompter::FileRequest request;
    request.use = core::Prompter::FileUse::OpenResult;
    request.caption = kCaption;
    request.filter = ResultDocument::kOpenFilter;
    request.defaultExtension = ResultDocument::kExtension;
    const std::optional<std::string> chosen = prompter_.ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    return Into(*chosen, folder, currentFile);
}

std::optional<fs::path> FolderImport::Into(const fs::path& source, const fs::path& folder,
                                           const std::string& currentFile) {
    const std::optional<fs::path> target = FreeTarget(source, folder, currentFile);
    if (!target) {
        return std::nullopt;
    }
    if (!files::PathProblem::ForWriting(*target).empty() ||
        !files::ResultFolderChange::CopyOver(source, *target)) {
        prompter_.Tell(Title::Error, ResultDocument::kCreateFileFailed);
        return std::nullopt;
    }
    return target;
}

std::optional<fs::path> FolderImport::FreeTarget(const fs::path& source, const fs::path& folder,
                                                 const std::string& currentFile) {
    fs::path target = folder / source.filename();
    std::error_code error;
    while (fs::exists(target, error)) {
        if (core::AsciiLower(target.lexically_normal().string()) ==
            core::AsciiLower(fs::path(currentFile).lexically_normal().string())) {
            prompter_.Tell(Title::Error, ResultDocument::kFileInUse);
        } else if (prompter_.Ask(Title::Warning, ResultDocument::kFileExists,
                                 core::Prompter::Buttons::YesNo) == Answer::Yes) {
            return target;
        }
        std::string oldName = source.filename().string();
        oldName.resize(oldName.size() >= 4 ? oldName.size() - 4 : 0);
        const std::optional<std::string> name = askName_(oldName);
        if (!name || !files::ResultFolder::IsPlainName(*name)) {
            return std::nullopt;
        }
        target = files::ResultFolder::ChildPath(folder, *name, true);
    }
    return target;
}

}  // namespace quexa::tasks
