#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quexa::cli {

// A password typed by the person: on a terminal the prompt goes to stderr and the typing is not
// echoed; otherwise the next line of stdin, without prompt. Nothing at the end of the input.
class PasswordInput {
  public:
    static std::optional<std::string> Read(std::string_view prompt);
};

}  // namespace quexa::cli
