#include "platform/nm_dial_up_connections.h"

#include <array>
#include <sstream>

#include "platform/program_runner.h"

namespace quexa::platform {
namespace {

constexpr std::array kDialUpKinds{std::string_view("ppp"), std::string_view("pppoe"),
                                  std::string_view("gsm"), std::string_view("cdma")};

bool IsDialUpKind(std::string_view kind) {
    for (const std::string_view dialUp : kDialUpKinds) {
        if (kind == dialUp) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> NmDialUpConnections::SplitTerse(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size()) {
            fields.back() += line[++i];
        } else if (c == ':') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<std::vector<tasks::DialUpConnections::Connection>> NmDialUpConnections::List() {
    const std::optional<ProgramRunner::Result> active = ProgramRunner::Run(
        {"nmcli", "-t", "-f", "NAME,UUID,TYPE", "connection", "show", "--active"});
    if (!active) {
        return std::vector<Connection>{};
    }
    if (active->exitCode != 0) {
        return std::nullopt;
    }
    std::vector<Connection> connections;
    std::istringstream lines(active->output);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> fields = SplitTerse(line);
        if (fields.size() != 3 || fields[1].empty()) {
            continue;
        }
        const std::string& kind = fields[2];
        if (IsDialUpKind(kind) || (kind == "bluetooth" && IsBluetoothDialUp(fields[1]))) {
            connections.push_back({fields[0], fields[1]});
        }
    }
    return connections;
}

// A Bluetooth connection is a dial-up one only when it uses the phone's dial-up networking
// profile, not a personal area network.
bool NmDialUpConnections::IsBluetoothDialUp(const std::string& id) {
    const std::optional<ProgramRunner::Result> type = ProgramRunner::Run(
        {"nmcli", "-t", "-g", "bluetooth.type", "connection", "show", "uuid", id});
    return type && type->exitCode == 0 && type->output.starts_with("dun");
}

bool NmDialUpConnections::HangUp(const Connection& connection) {
    const std::optional<ProgramRunner::Result> down =
        ProgramRunner::Run({"nmcli", "connection", "down", "uuid", connection.id});
    return down && down->exitCode == 0;
}

}  // namespace quexa::platform
