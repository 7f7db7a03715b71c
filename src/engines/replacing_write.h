#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace quexa::engines {

// Writes a file through a temporary file beside it that is renamed over the target once the
// writer succeeded, so a failed save leaves the old file untouched and no partial file behind.
// The writer fills the temporary path and reports success. Only a regular file or a missing
// one is replaced (core::WhyNotReplaceable).
bool ReplacingWrite(const std::filesystem::path& path,
                    const std::function<bool(const std::filesystem::path& temporary)>& writer);

// The whole file is bytes.
bool ReplacingWrite(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quexa::engines
