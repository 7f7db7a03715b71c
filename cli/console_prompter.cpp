#include "cli/console_prompter.h"

#include <utility>

#include "core/text.h"

namespace quexa::cli {
namespace {

std::string_view AnswerText(core::Prompter::Answer answer) {
    switch (answer) {
        case core::Prompter::Answer::Ok:
            return "OK";
        case core::Prompter::Answer::Yes:
            return "Yes";
        case core::Prompter::Answer::No:
            return "No";
        case core::Prompter::Answer::Cancel:
            return "Cancel";
    }
    return {};
}

}  // namespace

core::Prompter::Answer ConsolePrompter::CautiousAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::No;
        case Buttons::YesCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

core::Prompter::Answer ConsolePrompter::Ask(Title title, std::string_view text, Buttons buttons) {
    const Answer answer = CautiousAnswer(buttons);
    std::string message =
        std::string(TitleText(title)) + " " + core::ReplaceAll(text, "\r\n", "\n");
    if (buttons != Buttons::Ok) {
        message += " [" + std::string(AnswerText(answer)) + "]";
    }
    line_.Message(message);
    return answer;
}

std::optional<std::string> ConsolePrompter::AskPassword() {
    if (!password_) {
        line_.Message("Note: the file is protected by a password: give it with --password");
    }
    // Given once: a refused password is not tried again.
    return std::exchange(password_, std::nullopt);
}

std::optional<std::string> ConsolePrompter::ChooseFile(const FileRequest& /*request*/) {
    return std::nullopt;
}

}  // namespace quexa::cli
