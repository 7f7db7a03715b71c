#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/prompter.h"

namespace quexa::testing {

// Answers from queues the test fills and remembers what it was asked. An empty queue answers
// questions with their last button (No or Cancel), the password dialog and file dialogs with
// Cancel.
class ScriptedPrompter : public core::Prompter {
  public:
    Answer Ask(Title title, std::string_view text, Buttons buttons) override;
    std::optional<std::string> AskPassword() override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;

    // Each box as "<caption> <text>".
    std::vector<std::string> boxes;
    std::vector<FileRequest> fileRequests;
    int passwordDialogs = 0;

    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> passwords;
    std::deque<std::optional<std::string>> files;
};

}  // namespace quexa::testing
