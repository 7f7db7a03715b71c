#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quexa::tasks {

// The computer's active dial-up network connections, which a finished task may end.
class DialUpConnections {
  public:
    struct Connection {
        std::string name;
        // What the system knows the connection by; names need not be unique.
        std::string id;
    };

    virtual ~DialUpConnections() = default;
    // The active connections in the system's order; nothing when they cannot be enumerated.
    virtual std::optional<std::vector<Connection>> List() = 0;
    // False when the connection is still up.
    virtual bool HangUp(const Connection& connection) = 0;

    // Hangs up every active connection in order, stopping at the first that fails; false when
    // the connections could not be enumerated or one stayed up.
    bool HangUpAll();
};

}  // namespace quexa::tasks
