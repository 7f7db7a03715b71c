#pragma once

#include <filesystem>

namespace quexa::cli {

// After a message the window would show too, the reason a path could not be read or written,
// on stderr as "Error: PATH: reason". Nothing when the path itself is fine.
void SayPathProblem(const std::filesystem::path& path);
void SayWritePathProblem(const std::filesystem::path& path);

}  // namespace quexa::cli
