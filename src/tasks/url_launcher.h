#pragma once

#include <string>

namespace quexa::tasks {

// Hands a URL (a web address or a file: URL) to the desktop, which opens it with the program
// the person chose for it. The window's implementation asks the desktop services of the
// graphical session; tests record the URLs.
class UrlLauncher {
  public:
    virtual ~UrlLauncher() = default;
    // False when the desktop has nothing to open it with.
    virtual bool OpenUrl(const std::string& url) = 0;
};

}  // namespace quexa::tasks
