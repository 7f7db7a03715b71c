#pragma once

#include <string_view>

#include "tasks/clipboard.h"

namespace quexa::ui {

// The application's clipboard; needs the QGuiApplication of the window.
class QtClipboard : public tasks::Clipboard {
  public:
    void SetText(std::string_view text) override;
};

}  // namespace quexa::ui
