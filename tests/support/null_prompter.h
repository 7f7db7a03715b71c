#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"

namespace quexa::testing {

// Answers every question with No and every password or file request with Cancel.
class NullPrompter : public core::Prompter {
  public:
    Answer Ask(Title, std::string_view, Buttons) override { return Answer::No; }
    std::optional<std::string> AskPassword() override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }
};

}  // namespace quexa::testing
