#include "cli/passwd_command.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/console_prompter.h"
#include "cli/password_input.h"
#include "cli/path_error.h"
#include "cli/progress_line.h"
#include "tasks/password_change.h"

namespace quexa::cli {
namespace {

using Entry = tasks::PasswordChange::Entry;

struct PasswdOptions {
    std::string file;
    std::optional<std::string> oldPassword;
    std::optional<std::string> newPassword;
};

// The lines stdin must hold for the passwords not given as options.
std::string ExpectedLines(const PasswdOptions& options, bool isProtected) {
    std::vector<std::string> lines;
    if (isProtected && !options.oldPassword) {
        lines.emplace_back("the old password");
    }
    if (!options.newPassword) {
        lines.emplace_back("the new password");
        lines.emplace_back("the new password again");
    }
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == lines.size() ? " and " : ", ") + lines[i];
    }
    return text;
}

std::optional<std::string> ReadOrSay(std::string_view prompt, const PasswdOptions& options,
                                     bool isProtected) {
    std::optional<std::string> text = PasswordInput::Read(prompt);
    if (!text) {
        std::cerr << "Error: the input ended early: passwd reads "
                  << ExpectedLines(options, isProtected) << ", one a line\n";
    }
    return text;
}

// Given on the command line, else typed: the old one once, the new one twice.
std::optional<Entry> AskEntry(const PasswdOptions& options, bool isProtected,
                              tasks::PasswordChange& change) {
    Entry entry;
    if (isProtected) {
        std::optional<std::string> oldPassword =
            options.oldPassword ? options.oldPassword : ReadOrSay("Old: ", options, isProtected);
        if (!oldPassword) {
            return std::nullopt;
        }
        entry.oldPassword = std::move(*oldPassword);
    }
    if (options.newPassword) {
        entry.newPassword = entry.confirm = *options.newPassword;
        return entry;
    }
    std::optional<std::string> first = ReadOrSay("New: ", options, isProtected);
    std::optional<std::string> confirm =
        first ? ReadOrSay("Confirm: ", options, isProtected) : std::nullopt;
    if (!confirm) {
        return std::nullopt;
    }
    entry.newPassword = std::move(*first);
    entry.confirm = std::move(*confirm);
    return change.ConfirmMatches(entry) ? std::optional<Entry>(std::move(entry)) : std::nullopt;
}

int ChangePassword(const PasswdOptions& options) {
    ProgressLine line = ProgressLine::ForStderr();
    ConsolePrompter prompter(line, std::nullopt);
    tasks::PasswordChange change(prompter);
    const tasks::PasswordChange::Outcome outcome = change.Run(
        options.file, [&](bool isProtected) { return AskEntry(options, isProtected, change); });
    switch (outcome) {
        case tasks::PasswordChange::Outcome::Changed:
        case tasks::PasswordChange::Outcome::Removed:
            return 0;
        case tasks::PasswordChange::Outcome::Failed:
            SayPathProblem(options.file);
            return 1;
        case tasks::PasswordChange::Outcome::Cancelled:
        case tasks::PasswordChange::Outcome::Refused:
            return 1;
    }
    return 1;
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
