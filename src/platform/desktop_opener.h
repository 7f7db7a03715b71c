#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "tasks/location_opener.h"
#include "tasks/url_launcher.h"

namespace quexa::platform {

// Opens locations on this desktop. Web addresses go to the browser of the Options when one is
// set, started with the location as its argument, else to the desktop's default through the
// launcher. Files and folders are looked up first, so that a failure can say what is wrong:
// the desktop's own open reports only that it did not work.
class DesktopOpener : public tasks::LocationOpener {
  public:
    DesktopOpener(std::string browserPath, tasks::UrlLauncher& launcher)
        : browserPath_(std::move(browserPath)), launcher_(launcher) {}

    void Browse(std::string_view location) override;
    Failure Open(std::string_view location) override;
    Failure Explore(std::string_view location) override;

    // Why the path can't be opened, or None.
    static Failure CheckPath(const std::string& path);

  private:
    Failure Launch(const std::string& path);

    std::string browserPath_;
    tasks::UrlLauncher& launcher_;
};

}  // namespace quexa::platform
