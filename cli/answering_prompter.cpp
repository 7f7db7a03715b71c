#include "cli/answering_prompter.h"

#include "core/text.h"

namespace quexa::cli {

core::Prompter::Answer AnsweringPrompter::Ask(Title title, std::string_view text, Buttons buttons) {
    if (!answerYes_ || buttons == Buttons::Ok) {
        return inner_.Ask(title, text, buttons);
    }
    line_.Message(std::string(TitleText(title)) + " " + core::ReplaceAll(text, "\r\n", "\n") +
                  " [Yes]");
    return Answer::Yes;
}

}  // namespace quexa::cli
