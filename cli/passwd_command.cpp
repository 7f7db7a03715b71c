#include "cli/passwd_command.h"

#include <iostream>
#include <optional>
#include <string>

#include "cli/console_prompter.h"
#include "cli/password_input.h"
#include "cli/progress_line.h"
#include "files/protected_container.h"
#include "files/result_file.h"

namespace quexa::cli {
namespace {

using Title = core::Prompter::Title;

constexpr std::string_view kNotMatching = "Two password not match!";
constexpr std::string_view kChanged = "The password is changed!";
constexpr std::string_view kRefused = "Password unvaild\ntry again ?";

struct PasswdOptions {
    std::string file;
    std::optional<std::string> oldPassword;
    std::optional<std::string> newPassword;
};

// Given on the command line, else typed twice.
std::optional<std::string> NewPassword(const PasswdOptions& options, ConsolePrompter& prompter) {
    if (options.newPassword) {
        return options.newPassword;
    }
    const std::optional<std::string> first = PasswordInput::Read("New: ");
    const std::optional<std::string> confirm =
        first ? PasswordInput::Read("Confirm: ") : std::nullopt;
    if (!confirm) {
        return std::nullopt;
    }
    if (*first != *confirm) {
        prompter.Tell(Title::Error, kNotMatching);
        return std::nullopt;
    }
    return first;
}

// Only a result file of this version has a header that may be written.
bool IsResultFile(const files::ProtectedContainer& container, ConsolePrompter& prompter) {
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

int ChangePassword(const PasswdOptions& options) {
    ProgressLine line = ProgressLine::ForStderr();
    ConsolePrompter prompter(line, std::nullopt);
    files::ProtectedContainer container;
    if (!container.Open(options.file)) {
        prompter.Tell(Title::Error, files::kOperatorFileFailed);
        return 1;
    }
    if (!IsResultFile(container, prompter)) {
        return 1;
    }
    // The old password of an unprotected file is the empty one, whatever was given.
    std::optional<std::string> oldPassword = std::string();
    if (container.IsProtected()) {
        oldPassword = options.oldPassword ? options.oldPassword : PasswordInput::Read("Old: ");
    }
    if (!oldPassword) {
        return 1;
    }
    if (!container.TestPassword(*oldPassword)) {
        prompter.Ask(Title::Error, kRefused, core::Prompter::Buttons::YesCancel);
        return 1;
    }
    const std::optional<std::string> newPassword = NewPassword(options, prompter);
    if (!newPassword) {
        return 1;
    }
    if (!container.ChangePassword(*oldPassword, *newPassword)) {
        prompter.Tell(Title::Error, files::kOperatorFileFailed);
        return 1;
    }
    if (!newPassword->empty()) {
        prompter.Tell(Title::Note, kChanged);
    }
    return 0;
}

}  // namespace

void AddPasswdCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<PasswdOptions>();
    CLI::App* passwd =
        app.add_subcommand("passwd", "Set, change or remove the password of a result file");
    passwd->footer(
        "Passwords not given as options are asked for: on a terminal without echo (the new one "
        "twice), otherwise read as lines of stdin. An empty new password removes the password; "
        "an unprotected file needs no old one. Letter case matters.");
    passwd->add_option("FILE", options->file, "Result file (.qzr)")->required();
    passwd->add_option("--old", options->oldPassword, "The present password");
    passwd->add_option("--new", options->newPassword, "The new password; empty removes it");
    passwd->callback([options, &context] { context.exitCode = ChangePassword(*options); });
}

}  // namespace quexa::cli
