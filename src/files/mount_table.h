#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quexa::files {

// The mounted file systems, as /proc/self/mounts lists them, and what the Intranet search
// asks of them: the network shares, the folder a share is searched through, and the
// computer a path lives on.
class MountTable {
  public:
    struct Mount {
        std::string source;
        std::string mountPoint;
        std::string type;
    };

    static constexpr std::string_view kLocalComputer = "Local Computer";
    static constexpr std::string_view kUnknownComputer = "Unknown Net Computer";
    static constexpr std::string_view kSystemMounts = "/proc/self/mounts";

    // One mount per line: source, mount point, type, ...; octal escapes such as \040 decoded.
    static MountTable Parse(std::string_view text);
    // The text of the system's table, empty when it can't be read.
    static std::string ReadSystemText();
    static bool IsNetworkType(std::string_view type);

    const std::vector<Mount>& Mounts() const { return mounts_; }
    // The remote names of the network shares in table order, each once.
    std::vector<std::string> ShareNames() const;
    // The local folder a share's remote name (or a path below it) is searched through.
    std::optional<std::string> LocalPathOf(std::string_view remote) const;
    // The computer holding a folder: the server of the network share it lies on, the name
    // in a //server/... path, "Local Computer" for other paths.
    std::string ComputerOfPath(std::string_view folder) const;

  private:
    static std::string RemoteName(const Mount& mount);
    static std::string ServerOf(const Mount& mount, std::string_view pathBelow);
    // The mount with the longest mount point holding the path, or nullptr.
    const Mount* MountHolding(std::string_view path) const;

    std::vector<Mount> mounts_;
};

}  // namespace quexa::files
