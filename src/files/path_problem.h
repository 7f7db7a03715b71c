#pragma once

#include <filesystem>
#include <string>

namespace quexa::files {

// What keeps a path from being read as a file, in words a person can act on: a missing file, a
// folder, a FIFO, a device, a link loop, a refused permission. Empty when the path names a
// readable regular file.
class PathProblem {
  public:
    static std::string ForReading(const std::filesystem::path& path);
    // For a file to be created or replaced: the folder must exist, and an existing entry must
    // be a regular file. Empty when nothing stands in the way.
    static std::string ForWriting(const std::filesystem::path& path);

  private:
    static std::string KindProblem(const std::filesystem::path& path, int error);
};

}  // namespace quexa::files
