#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/progress_line.h"
#include "core/prompter.h"

namespace quexa::cli {

// Questions and messages without a window: every text goes to stderr with its caption, and
// each question takes the cautious answer (No, or Cancel where there is no No). The password
// comes from the command line, given once; file dialogs are cancelled.
class ConsolePrompter : public core::Prompter {
  public:
    ConsolePrompter(ProgressLine& line, std::optional<std::string> password)
        : line_(line), password_(std::move(password)) {}

    Answer Ask(Title title, std::string_view text, Buttons buttons) override;
    std::optional<std::string> AskPassword() override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;

    // The answer a question with these buttons gets.
    static Answer CautiousAnswer(Buttons buttons);

  private:
    ProgressLine& line_;
    std::optional<std::string> password_;
};

}  // namespace quexa::cli
