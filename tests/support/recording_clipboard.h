#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tasks/clipboard.h"

namespace quexa::testing {

// Keeps every text put on the clipboard, the latest last.
class RecordingClipboard : public tasks::Clipboard {
  public:
    void SetText(std::string_view text) override { texts.emplace_back(text); }

    std::vector<std::string> texts;
};

}  // namespace quexa::testing
