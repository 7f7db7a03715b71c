#pragma once

#include <string_view>

namespace quexa::tasks {

// The desktop's clipboard, for the copy commands.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void SetText(std::string_view text) = 0;
};

}  // namespace quexa::tasks
