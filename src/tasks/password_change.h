#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"

namespace quexa::files {
class ProtectedContainer;
}

namespace quexa::tasks {

// Change Password of a result file, as the file manager and quexa-cli passwd run it: the file is
// opened, the "Change Password" dialog is asked, the old password tested and the new one
// written into the header in place, with the file's lock held from the test to the write.
class PasswordChange {
  public:
    static constexpr std::string_view kNotMatching = "Two password not match!";
    static constexpr std::string_view kChanged = "The password is changed!";
    static constexpr std::string_view kRefused = "Password unvaild\ntry again ?";

    // What the "Change Password" dialog gives back. The old password of an unprotected file is
    // never asked and counts as empty.
    struct Entry {
        std::string oldPassword;
        std::string newPassword;
        std::string confirm;
    };
    // Asks the dialog for a file protected or not; nothing on Cancel.
    using AskEntry = std::function<std::optional<Entry>(bool isProtected)>;

    enum class Outcome {
        Changed,    // a new password is set
        Removed,    // the new password was empty
        Cancelled,  // the dialog was cancelled
        Refused,    // the old password was refused and not tried again
        Failed,     // the file can't be opened or written, or is no result file of this version
    };

    explicit PasswordChange(core::Prompter& prompter) : prompter_(prompter) {}

    Outcome Run(const std::filesystem::path& path, const AskEntry& askEntry);

    // The dialog's OK: "Two password not match!" when New and Confirm differ.
    bool ConfirmMatches(const Entry& entry);

  private:
    enum class Step { Done, Retry };

    bool OpenResultFile(files::ProtectedContainer& container, const std::filesystem::path& path);
    std::optional<bool> OpenProtected(const std::filesystem::path& path);
    Outcome Write(const std::filesystem::path& path, const Entry& entry, bool isProtected,
                  Step& step);

    core::Prompter& prompter_;
};

}  // namespace quexa::tasks
