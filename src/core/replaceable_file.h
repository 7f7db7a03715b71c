#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quexa::core {

// Why nothing may be written over what stands at path, or nothing when it may: a regular file
// (a symbolic link to one included) or no file at all. Writing replaces a file through a rename,
// so a device node, a FIFO, a socket or a folder named as target would otherwise be swapped for
// a regular file.
std::optional<std::string> WhyNotReplaceable(const std::filesystem::path& path);

}  // namespace quexa::core
