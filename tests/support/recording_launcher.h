#pragma once

#include <string>
#include <vector>

#include "tasks/url_launcher.h"

namespace quexa::testing {

// Records the URLs handed to the desktop; answers with `opens`.
class RecordingLauncher : public tasks::UrlLauncher {
  public:
    bool OpenUrl(const std::string& url) override {
        urls.push_back(url);
        return opens;
    }

    bool opens = true;
    std::vector<std::string> urls;
};

}  // namespace quexa::testing
