#include "tasks/result_document.h"

#include <fstream>
#include <system_error>
#include <utility>

#include "core/settings_table.h"
#include "core/text.h"
#include "files/atomic_file.h"
#include "files/result_file_lock.h"

namespace quexa::tasks {
namespace fs = std::filesystem;
using Answer = core::Prompter::Answer;
using Buttons = core::Prompter::Buttons;
using FileUse = core::Prompter::FileUse;
using Title = core::Prompter::Title;
namespace {

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

void RemoveFile(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
}

// A file name read from a header must stay inside its folder.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// Paths are compared in lower case, as the system always compared them.
std::string ComparablePath(const std::string& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    if (error) {
        absolute = path;
    }
    return core::AsciiLower(absolute.lexically_normal().string());
}

bool SamePath(const std::string& one, const std::string& other) {
    return !one.empty() && !other.empty() && ComparablePath(one) == ComparablePath(other);
}

// A file that lacks owner write permission gets it, as clearing its read-only attribute did.
void ClearReadOnly(const fs::path& path) {
    std::error_code error;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
}

// A missing file is created and removed again; an existing one is replaced through a new file
// beside it, so its folder must take one.
bool CanWrite(const fs::path& path, bool exists) {
    std::error_code error;
    if (!exists) {
        const bool created = std::ofstream(path, std::ios::binary | std::ios::app).is_open();
        fs::remove(path, error);
        return created;
    }
    if (!fs::is_regular_file(path, error)) {
        return false;
    }
    files::AtomicFile probe(path);
    return probe.Begin();
}

// The Save File dialog in save mode, offering the key words as the name.
core::Prompter::FileRequest SaveRequest(const std::string& keywords) {
    core::Prompter::FileRequest request;
    request.use = FileUse::SaveResult;
    request.defaultExtension = ResultDocument::kExtension;
    request.offeredName = keywords;
    return request;
}

core::Prompter::FileRequest ImportRequest() {
    core::Prompter::FileRequest request;
    request.use = FileUse::LoadResult;
    request.defaultExtension = ResultDocument::kExtension;
    return request;
}

core::Prompter::FileRequest OpenRequest() {
    core::Prompter::FileRequest request;
    request.use = FileUse::OpenResult;
    request.caption = ResultDocument::kOpenCaption;
    request.filter = ResultDocument::kOpenFilter;
    request.defaultExtension = ResultDocument::kExtension;
    return request;
}

}  // namespace

ResultDocument::ResultDocument(TaskEnvironment environment, TaskState& state, core::WaitState* wait)
    : env_(environment), state_(state), wait_(wait) {}

void ResultDocument::TellLoadFailure(files::LoadOutcome outcome, core::Prompter& prompter) {
    using files::LoadOutcome;
    switch (outcome) {
        case LoadOutcome::CannotOpen:
            prompter.Tell(Title::Error, files::kCannotOpenResultFile);
            break;
        case LoadOutcome::NotAResultFile:
        case LoadOutcome::NewerVersion:
            // The note window: what the file is, then that it was not opened.
            prompter.Tell(Title::Note, outcome == LoadOutcome::NotAResultFile
                                           ? files::kNotAResultFile
                                           : files::kNewerResultFile);
            prompter.Tell(Title::Note, files::kCannotOpenResultFile);
            break;
        case LoadOutcome::OutOfMemory:
            prompter.Tell(Title::Error, files::kNoMemoryForResultFile);
            break;
        case LoadOutcome::Loaded:
        case LoadOutcome::Unreadable:
        case LoadOutcome::Locked:
            // Nothing to add: nothing went wrong, or the password prompt has spoken.
            break;
    }
}

bool ResultDocument::Busy() const {
    // The Intranet search saves and adds as it goes; it only keeps commands away.
    const core::BusyWork work = env_.busy->Current();
    return work != core::BusyWork::None && work != core::BusyWork::IntranetSearch;
}

bool ResultDocument::Save() {
    if (Busy()) {
        return false;
    }
    if (state_.currentFile.empty()) {
        return SaveUntitled();
    }
    return WriteTo(state_.currentFile);
}

bool ResultDocument::SaveAs() {
    if (Busy()) {
        return false;
    }
    const std::optional<std::string> chosen =
        prompter().ChooseFile(SaveRequest(state_.currentQuery));
    if (!chosen) {
        return false;
    }
    return SaveTo(*chosen + "." + std::string(kExtension));
}

bool ResultDocument::SaveTo(const std::string& path) {
    if (Busy() || !CheckOverwrite(path)) {
        return false;
    }
    std::string previous = std::exchange(state_.currentFile, path);
    if (!WriteTo(path)) {
        state_.currentFile = std::move(previous);
        return false;
    }
    return true;
}

bool ResultDocument::SaveUnasked(const std::string& path) {
    return !Busy() && WriteTo(path);
}

bool ResultDocument::Open(std::optional<std::string> path) {
    if (Busy()) {
        return false;
    }
    if (listInUse_ && prompter().Ask(Title::Note, kCloseFirst, Buttons::YesCancel) == Answer::Yes) {
        CloseCurrentFile();
    }
    if (!path || path->empty()) {
        path = prompter().ChooseFile(OpenRequest());
        if (!path) {
            return false;
        }
    }
    if (!files::PromptForPassword(*path, prompter()) || !Load(*path, false)) {
        return false;
    }
    env_.list.ClearModified();
    return true;
}

bool ResultDocument::OpenFromCommandLine(std::string_view argument) {
    if (argument.size() < kExtension.size() ||
        core::AsciiLower(argument.substr(argument.size() - kExtension.size())) != kExtension) {
        return false;
    }
    return Open(std::string(argument));
}

bool ResultDocument::OpenRequested() {
    if (Busy()) {
        return false;
    }
    const std::string path = std::exchange(pendingOpen_, {});
    if (path.empty() || !files::PromptForPassword(path, prompter(), true)) {
        return false;
    }
    if (OfferSave(Buttons::YesNo) == SaveOffer::Stopped) {
        return false;
    }
    env_.list.DeleteAll();
    if (!Load(path, false)) {
        // The list is gone and the file unread: nothing may be saved over that file now.
        state_.currentFile.clear();
        listInUse_ = false;
        env_.list.ClearModified();
        env_.host.RefreshFastInfo();
        return false;
    }
    env_.list.ClearModified();
    return true;
}

bool ResultDocument::Load(const std::string& path, bool append) {
    if (Busy()) {
        return false;
    }
    files::LoadOptions options;
    options.append = append;
    options.skipListed = core::settings::kDropDuplicates.ReadFlag(env_.profile);
    options.previewHeight = env_.cache.previewHeight;
    files::LoadedFile loaded;
    {
        const core::BusyState::Scope loading(*env_.busy, core::BusyWork::Loading);
        loaded = files::LoadResultFile(path, env_.list, options, Progress());
    }
    if (!loaded.Loaded()) {
        TellLoadFailure(loaded.outcome, prompter());
        return false;
    }
    TakeOverHeader(loaded.header);
    listInUse_ = true;
    state_.currentFile = path;
    origin_ = path;
    env_.host.RefreshFastInfo();
    return true;
}

bool ResultDocument::Import() {
    if (Busy()) {
        return false;
    }
    const std::optional<std::string> chosen = prompter().ChooseFile(ImportRequest());
    if (!chosen) {
        return false;
    }
    const std::string path = *chosen + "." + std::string(kExtension);
    const std::size_t before = env_.list.Count();
    if (!files::PromptForPassword(path, prompter()) || !Load(path, true)) {
        return false;
    }
    if (env_.list.Count() != before) {
        env_.list.SetModified();
    }
    return true;
}

bool ResultDocument::CloseCurrentFile() {
    if (Busy() || OfferSave(Buttons::YesNo) == SaveOffer::Stopped) {
        return false;
    }
    env_.list.DeleteAll();
    ResetToFreeList();
    env_.host.RefreshFastInfo();
    env_.list.Locations().Clear();
    return true;
}

bool ResultDocument::ConfirmExit() {
    switch (OfferSave(Buttons::YesNoCancel)) {
        case SaveOffer::Declined:
            if (!statePath_.empty()) {
                RemoveFile(statePath_);
            }
            return true;
        case SaveOffer::Stopped:
            return false;
        case SaveOffer::NotNeeded:
        case SaveOffer::Saved:
            return true;
    }
    return false;
}

void ResultDocument::AutoSave() {
    ++autoSaveCounter_;
    if (core::settings::kAutoSave.ReadFlag(env_.profile) &&
        autoSaveCounter_ > core::settings::kAutoSaveCount.Read(env_.profile)) {
        Save();
        autoSaveCounter_ = 0;
    }
}

bool ResultDocument::CheckOverwrite(const std::string& path) {
    std::error_code error;
    const bool exists = fs::exists(path, error);
    if (exists && IsFile(path)) {
        ClearReadOnly(path);
    }
    if (path.empty() || !CanWrite(path, exists)) {
        prompter().Tell(Title::Error, kCreateFileFailed);
        return false;
    }
    if (!exists) {
        return true;
    }
    if (SamePath(path, state_.currentFile)) {
        prompter().Tell(Title::Error, kFileInUse);
        return false;
    }
    return prompter().Ask(Title::Warning, kFileExists, Buttons::YesNo) == Answer::Yes;
}

void ResultDocument::ResetToFreeList() {
    state_.searchMode = TaskState::kFreeEditMode;
    state_.currentQuery.clear();
    state_.searchTarget.clear();
    state_.currentFile.clear();
    pendingOpen_.clear();
    origin_.clear();
    env_.list.ClearModified();
    listInUse_ = false;
}

files::ResultFileHeader ResultDocument::HeaderFor(const std::string& path) const {
    files::ResultFileHeader header;
    header.mode = state_.searchMode;
    header.keywords = state_.currentQuery;
    header.searchTarget = state_.searchTarget;
    header.author = env_.cache.authorName;
    const std::size_t cut = statePath_.rfind('/');
    if (cut != std::string::npos) {
        header.stateFileName = statePath_.substr(cut + 1);
    }
    // The file's note and password belong to the file, not to the list written into it.
    if (SamePath(path, origin_)) {
        if (const std::optional<files::ResultFileHeader> existing =
                files::ReadResultFileHeader(path)) {
            header.note = existing->note;
            header.checkValue = existing->checkValue;
        }
    }
    return header;
}

ResultDocument::SaveOffer ResultDocument::OfferSave(Buttons buttons) {
    if (!env_.list.IsModified()) {
        return SaveOffer::NotNeeded;
    }
    switch (prompter().Ask(Title::Note, kSaveQuestion, buttons)) {
        case Answer::Yes:
            return Save() ? SaveOffer::Saved : SaveOffer::Stopped;
        case Answer::No:
            return SaveOffer::Declined;
        case Answer::Ok:
        case Answer::Cancel:
            return SaveOffer::Stopped;
    }
    return SaveOffer::Stopped;
}

bool ResultDocument::SaveUntitled() {
    const std::optional<std::string> chosen =
        prompter().ChooseFile(SaveRequest(state_.currentQuery));
    if (!chosen) {
        RemoveStateBackup();
        return false;
    }
    const std::string path = *chosen + "." + std::string(kExtension);
    return CheckOverwrite(path) && WriteTo(path);
}

bool ResultDocument::WriteTo(const std::string& path) {
    // The header keeps the password and note the file has now: no other program may change
    // them between that read and the write.
    const files::ResultFileLock lock(path);
    if (!lock.held()) {
        prompter().Tell(Title::Error, lock.Problem());
        return false;
    }
    RestoreStateFile();
    const files::ResultFileHeader header = HeaderFor(path);
    bool written = false;
    {
        const core::BusyState::Scope saving(*env_.busy, core::BusyWork::Saving);
        written = files::WriteResultFile(path, env_.list, header, Progress());
    }
    if (!written) {
        // The file that was there is untouched: nothing to delete.
        prompter().Tell(Title::Error, kOperatorFailed);
        return false;
    }
    env_.list.ClearModified();
    state_.currentFile = path;
    origin_ = path;
    RestoreStateFile();
    env_.host.RefreshFastInfo();
    return true;
}

void ResultDocument::TakeOverHeader(const files::ResultFileHeader& header) {
    state_.searchMode = header.mode;
    state_.currentQuery = header.keywords;
    state_.searchTarget = header.searchTarget;
    if (header.mode != TaskState::kInternetMode) {
        return;
    }
    statePath_ = StatePathFor(header.stateFileName);
    if (statePath_.empty() || IsFile(statePath_)) {
        return;
    }
    std::error_code error;
    const std::string backup = statePath_ + "~";
    if (IsFile(backup)) {
        fs::rename(backup, statePath_, error);
    }
    if (error || !IsFile(statePath_)) {
        statePath_.clear();
    }
}

std::string ResultDocument::StatePathFor(std::string_view name) const {
    if (!IsPlainName(name) || env_.cache.dataDirectory.empty()) {
        return {};
    }
    return (fs::path(env_.cache.dataDirectory) / kStateFolder / name).string();
}

void ResultDocument::RestoreStateFile() const {
    if (statePath_.empty()) {
        return;
    }
    const std::string backup = statePath_ + "~";
    if (IsFile(backup)) {
        std::error_code error;
        fs::rename(backup, statePath_, error);
    }
}

void ResultDocument::RemoveStateBackup() const {
    if (!statePath_.empty()) {
        RemoveFile(statePath_ + "~");
    }
}

files::FileProgress ResultDocument::Progress() const {
    files::FileProgress progress;
    progress.wait = wait_;
    if (const std::shared_ptr<core::MainThread> mainThread = env_.mainThread) {
        progress.processPending = [mainThread] { mainThread->ProcessPending(); };
    }
    return progress;
}

}  // namespace quexa::tasks
