#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tasks/dial_up_connections.h"

namespace quexa::platform {

// NetworkManager's active connections of a dial-up kind (ppp, pppoe, gsm, cdma and Bluetooth
// dial-up networking), through nmcli. Without nmcli there are no connections.
class NmDialUpConnections : public tasks::DialUpConnections {
  public:
    std::optional<std::vector<Connection>> List() override;
    bool HangUp(const Connection& connection) override;

    // The fields of one line of nmcli's terse output: separated by ':', with "\:" and "\\"
    // standing for ':' and '\'.
    static std::vector<std::string> SplitTerse(std::string_view line);

  private:
    static bool IsBluetoothDialUp(const std::string& id);
};

}  // namespace quexa::platform
