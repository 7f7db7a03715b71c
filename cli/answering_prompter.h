#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/console_prompter.h"
#include "cli/progress_line.h"

namespace quexa::cli {

// The console prompter, but a question with a Yes button gets Yes (`--force`): a command that
// was told to replace a file does not stop at "do you want overlay it?".
class AnsweringPrompter : public core::Prompter {
  public:
    AnsweringPrompter(ConsolePrompter& inner, ProgressLine& line, bool answerYes)
        : inner_(inner), line_(line), answerYes_(answerYes) {}

    Answer Ask(Title title, std::string_view text, Buttons buttons) override;
    std::optional<std::string> AskPassword() override { return inner_.AskPassword(); }
    std::optional<std::string> ChooseFile(const FileRequest& request) override {
        return inner_.ChooseFile(request);
    }

  private:
    ConsolePrompter& inner_;
    ProgressLine& line_;
    bool answerYes_;
};

}  // namespace quexa::cli
