#pragma once

#include <string>

#include "tasks/url_launcher.h"

namespace quexa::ui {

// The graphical session's desktop services open URLs with the programs the person chose.
class DesktopUrlLauncher : public tasks::UrlLauncher {
  public:
    bool OpenUrl(const std::string& url) override;
};

}  // namespace quexa::ui
