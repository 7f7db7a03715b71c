#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quexa::cli {

// The whole file as bytes, or nothing when it can't be read.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

}  // namespace quexa::cli
