#pragma once

#include <atomic>
#include <string>

namespace quexa::web {

// What a session needs of the settings; the caller decides where they come from.
struct HttpSettings {
    bool proxyEnabled = false;
    // Server + ":" + port, as the settings cache holds it.
    std::string proxyAddress;
    // How a service's operators can reach the user; goes into the user agent when not empty.
    std::string contact;
    // Connect time-out, and how long a transfer may stall before it ends.
    int timeoutSeconds = 45;
    // The task's run flag: a transfer in flight ends soon after it reads 0. May be null.
    const std::atomic<int>* stopFlag = nullptr;
};

}  // namespace quexa::web
