#include "tasks/password_change.h"

#include "files/protected_container.h"
#include "files/result_file.h"
#include "files/result_file_lock.h"

namespace quexa::tasks {
namespace fs = std::filesystem;
using Title = core::Prompter::Title;
using Answer = core::Prompter::Answer;
using Buttons = core::Prompter::Buttons;
namespace {

// Only a result file of this version has a header that may be written.
bool IsResultFile(const files::ProtectedContainer& container, core::Prompter& prompter) {
    switch (container.CheckVersion()) {
        case files::ProtectedContainer::Version::Ok:
            return true;
        case files::ProtectedContainer::Version::NotAResultFile:
            prompter.Tell(Title::Note, files::kNotAResultFile);
            return false;
        case files::ProtectedContainer::Version::Newer:
            prompter.Tell(Title::Note, files::kNewerResultFile);
            return false;
    }
    return false;
}

}  // namespace

PasswordChange::Outcome PasswordChange::Run(const fs::path& path, const AskEntry& askEntry) {
    for (;;) {
        const std::optional<bool> isProtected = OpenProtected(path);
        if (!isProtected) {
            return Outcome::Failed;
        }
        const std::optional<Entry> entry = askEntry(*isProtected);
        if (!entry) {
            return Outcome::Cancelled;
        }
        Step step = Step::Done;
        const Outcome outcome = Write(path, *entry, *isProtected, step);
        if (step == Step::Done) {
            return outcome;
        }
    }
}

bool PasswordChange::ConfirmMatches(const Entry& entry) {
    if (entry.newPassword == entry.confirm) {
        return true;
    }
    prompter_.Tell(Title::Error, kNotMatching);
    return false;
}

// Opens a result file of this version, or shows why not.
bool PasswordChange::OpenResultFile(files::ProtectedContainer& container, const fs::path& path) {
    if (!container.Open(path)) {
        prompter_.Tell(Title::Error, files::kOperatorFileFailed);
        return false;
    }
    return IsResultFile(container, prompter_);
}

// Whether the file is protected; nothing after the message when it can't be changed.
std::optional<bool> PasswordChange::OpenProtected(const fs::path& path) {
    files::ProtectedContainer container;
    if (!OpenResultFile(container, path)) {
        return std::nullopt;
    }
    return container.IsProtected();
}

// The file is read again under the lock: what the dialog was shown may have changed meanwhile.
PasswordChange::Outcome PasswordChange::Write(const fs::path& path, const Entry& entry,
                                              bool isProtected, Step& step) {
    const files::ResultFileLock lock(path);
    if (!lock.held()) {
        prompter_.Tell(Title::Error, lock.Problem());
        return Outcome::Failed;
    }
    files::ProtectedContainer container;
    if (!OpenResultFile(container, path)) {
        return Outcome::Failed;
    }
    const std::string oldPassword = isProtected ? entry.oldPassword : std::string();
    if (!container.TestPassword(oldPassword)) {
        if (prompter_.Ask(Title::Error, kRefused, Buttons::YesCancel) == Answer::Yes) {
            step = Step::Retry;
        }
        return Outcome::Refused;
    }
    if (!container.ChangePassword(oldPassword, entry.newPassword)) {
        prompter_.Tell(Title::Error, files::kOperatorFileFailed);
        return Outcome::Failed;
    }
    if (entry.newPassword.empty()) {
        return Outcome::Removed;
    }
    prompter_.Tell(Title::Note, kChanged);
    return Outcome::Changed;
}

}  // namespace quexa::tasks
