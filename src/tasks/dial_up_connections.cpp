#include "tasks/dial_up_connections.h"

namespace quexa::tasks {

bool DialUpConnections::HangUpAll() {
    const std::optional<std::vector<Connection>> active = List();
    if (!active) {
        return false;
    }
    for (const Connection& connection : *active) {
        if (!HangUp(connection)) {
            return false;
        }
    }
    return true;
}

}  // namespace quexa::tasks
