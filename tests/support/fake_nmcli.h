#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "temp_folder.h"

namespace quexa::testing {

// A stand-in for NetworkManager's nmcli, first on PATH while it lives: it lists the active
// connections it was given and records the ones it is asked to bring down.
class FakeNmcli {
  public:
    FakeNmcli();
    ~FakeNmcli();
    FakeNmcli(const FakeNmcli&) = delete;
    FakeNmcli& operator=(const FakeNmcli&) = delete;

    // Terse lines "NAME:UUID:TYPE" as `nmcli -t -f NAME,UUID,TYPE connection show --active`
    // prints them.
    void SetActive(std::string_view terseLines);
    void SetBluetoothType(std::string_view uuid, std::string_view type);
    // The listing ends with an error, as when NetworkManager is not running.
    void FailListing();
    void FailHangUp(std::string_view uuid);
    // No nmcli on PATH at all.
    void Remove();
    // The UUIDs brought down, in order.
    std::vector<std::string> HungUp() const;

  private:
    TempFolder folder_;
    std::string oldPath_;
};

}  // namespace quexa::testing
