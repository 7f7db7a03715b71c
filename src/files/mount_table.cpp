#include "files/mount_table.h"

#include <array>
#include <fstream>
#include <iterator>

#include "core/text.h"

namespace quexa::files {
namespace {

constexpr std::array<std::string_view, 11> kNetworkTypes = {
    "cifs",  "smb3",       "smbfs",           "nfs",          "nfs4", "ncpfs", "afs",
    "sshfs", "fuse.sshfs", "fuse.gvfsd-fuse", "fuse.kio-fuse"};

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes blanks, tabs, newlines and backslashes in a field as \ooo.
std::string Unescape(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
            IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
            ++at;
        }
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') {
            ++at;
        }
        if (at > start) {
            fields.push_back(line.substr(start, at - start));
        }
    }
    return fields;
}

bool IsSmbForm(std::string_view text) {
    return text.starts_with("//");
}

// Whether path is base or lies below it; SMB names ignore letter case.
bool IsAtOrBelow(std::string_view path, std::string_view base, bool ignoreCase) {
    if (path.size() < base.size()) {
        return false;
    }
    const std::string_view head = path.substr(0, base.size());
    const bool same = ignoreCase ? core::AsciiLower(head) == core::AsciiLower(base) : head == base;
    if (!same) {
        return false;
    }
    return path.size() == base.size() || base.ends_with('/') || path[base.size()] == '/';
}

// "//server/share" gives server, "user@host:/path" gives host.
std::string ServerOfSource(std::string_view source) {
    if (IsSmbForm(source)) {
        source.remove_prefix(2);
        return std::string(source.substr(0, source.find('/')));
    }
    const std::size_t colon = source.find(":/");
    if (colon == std::string_view::npos) {
        return {};
    }
    std::string_view host = source.substr(0, colon);
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) {
        host.remove_prefix(at + 1);
    }
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    return std::string(host);
}

// A desktop file system names each remote folder "smb-share:server=nas,share=music" or
// "sftp:host=nas,user=me" below its mount point.
std::string ServerOfDesktopFolder(std::string_view folder) {
    for (const std::string_view key : {"server=", "host="}) {
        std::size_t at = folder.find(key);
        while (at != std::string_view::npos && at > 0 && folder[at - 1] != ':' &&
               folder[at - 1] != ',') {
            at = folder.find(key, at + 1);
        }
        if (at != std::string_view::npos) {
            const std::string_view rest = folder.substr(at + key.size());
            return std::string(rest.substr(0, rest.find(',')));
        }
    }
    return {};
}

}  // namespace

MountTable MountTable::Parse(std::string_view text) {
    MountTable table;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() >= 3) {
            table.mounts_.push_back(
                {Unescape(fields[0]), Unescape(fields[1]), Unescape(fields[2])});
        }
    }
    return table;
}

std::string MountTable::ReadSystemText() {
    std::ifstream in{std::string(kSystemMounts)};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool MountTable::IsNetworkType(std::string_view type) {
    for (const std::string_view known : kNetworkTypes) {
        if (type == known) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> MountTable::ShareNames() const {
    std::vector<std::string> names;
    for (const Mount& mount : mounts_) {
        if (!IsNetworkType(mount.type)) {
            continue;
        }
        std::string name = RemoteName(mount);
        bool seen = false;
        for (const std::string& known : names) {
            seen = seen || known == name;
        }
        if (!seen) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::optional<std::string> MountTable::LocalPathOf(std::string_view remote) const {
    for (const Mount& mount : mounts_) {
        if (!IsNetworkType(mount.type)) {
            continue;
        }
        const std::string name = RemoteName(mount);
        if (name.empty() || name == mount.mountPoint ||
            !IsAtOrBelow(remote, name, IsSmbForm(name))) {
            continue;
        }
        std::string local = mount.mountPoint;
        std::string_view rest = remote.substr(name.size());
        if (!rest.empty() && rest.front() != '/' && !local.ends_with('/')) {
            local += '/';
        }
        local += rest;
        return local;
    }
    return std::nullopt;
}

std::string MountTable::ComputerOfPath(std::string_view folder) const {
    if (folder.empty()) {
        return std::string(kUnknownComputer);
    }
    if (IsSmbForm(folder)) {
        const std::size_t slash = folder.find('/', 2);
        if (slash == std::string_view::npos || slash == 2) {
            return std::string(kUnknownComputer);
        }
        return std::string(folder.substr(2, slash - 2));
    }
    const Mount* mount = MountHolding(folder);
    if (mount == nullptr || !IsNetworkType(mount->type)) {
        return std::string(kLocalComputer);
    }
    std::string_view below = folder.substr(std::min(folder.size(), mount->mountPoint.size()));
    while (below.starts_with('/')) {
        below.remove_prefix(1);
    }
    const std::string server = ServerOf(*mount, below);
    return server.empty() ? std::string(kUnknownComputer) : server;
}

std::string MountTable::RemoteName(const Mount& mount) {
    // A desktop file system's source names no share: its folder stands for the share.
    if (mount.type.starts_with("fuse.") && mount.type != "fuse.sshfs") {
        return mount.mountPoint;
    }
    return mount.source;
}

std::string MountTable::ServerOf(const Mount& mount, std::string_view pathBelow) {
    if (mount.type.starts_with("fuse.") && mount.type != "fuse.sshfs") {
        return ServerOfDesktopFolder(pathBelow.substr(0, pathBelow.find('/')));
    }
    return ServerOfSource(mount.source);
}

const MountTable::Mount* MountTable::MountHolding(std::string_view path) const {
    const Mount* best = nullptr;
    for (const Mount& mount : mounts_) {
        if (!mount.mountPoint.empty() && IsAtOrBelow(path, mount.mountPoint, false) &&
            (best == nullptr || mount.mountPoint.size() >= best->mountPoint.size())) {
            best = &mount;
        }
    }
    return best;
}

}  // namespace quexa::files
