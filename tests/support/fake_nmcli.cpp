#include "fake_nmcli.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace quexa::testing {
namespace {

namespace fs = std::filesystem;

// Answers the three questions the dial-up adapter asks; anything else is an error.
constexpr std::string_view kScript = R"(#!/bin/sh
here=$(dirname "$0")
case "$*" in
"-t -f NAME,UUID,TYPE connection show --active")
    [ -e "$here/list.fails" ] && { echo "Error: NetworkManager is not running." >&2; exit 8; }
    [ -e "$here/active" ] && cat "$here/active"
    exit 0 ;;
"-t -g bluetooth.type connection show uuid "*)
    cat "$here/bluetooth.$7" 2>/dev/null
    exit 0 ;;
"connection down uuid "*)
    [ -e "$here/down.fails.$4" ] && exit 10
    echo "$4" >>"$here/down"
    exit 0 ;;
esac
exit 2
)";

}  // namespace

FakeNmcli::FakeNmcli() {
    const fs::path script = folder_.File("nmcli");
    WriteAll(script, kScript);
    fs::permissions(script, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    oldPath_ = path != nullptr ? path : "/usr/bin:/bin";
    ::setenv("PATH", (folder_.Path().string() + ":" + oldPath_).c_str(), 1);
}

FakeNmcli::~FakeNmcli() {
    ::setenv("PATH", oldPath_.c_str(), 1);
}

void FakeNmcli::SetActive(std::string_view terseLines) {
    WriteAll(folder_.File("active"), terseLines);
}

void FakeNmcli::SetBluetoothType(std::string_view uuid, std::string_view type) {
    WriteAll(folder_.File("bluetooth." + std::string(uuid)), std::string(type) + "\n");
}

void FakeNmcli::FailListing() {
    WriteAll(folder_.File("list.fails"), "");
}

void FakeNmcli::FailHangUp(std::string_view uuid) {
    WriteAll(folder_.File("down.fails." + std::string(uuid)), "");
}

void FakeNmcli::Remove() {
    fs::remove(folder_.File("nmcli"));
    // Whatever else PATH holds may have a real nmcli.
    ::setenv("PATH", folder_.Path().c_str(), 1);
}

std::vector<std::string> FakeNmcli::HungUp() const {
    std::vector<std::string> uuids;
    std::ifstream log(folder_.File("down"));
    for (std::string line; std::getline(log, line);) {
        uuids.push_back(line);
    }
    return uuids;
}

}  // namespace quexa::testing
