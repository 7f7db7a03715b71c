#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "files/result_file.h"
#include "tasks/fast_info.h"
#include "tasks/task_state.h"

namespace quexa::tasks {

// Fills the fast information bar, keeping the current file's header in memory: the header is
// read again only when the current file is another one or was written since (its identity,
// size or modification time changed), not on every refresh of a search that finds many files.
class FastInfoReader {
  public:
    FastInfo Describe(const TaskState& state, std::size_t itemCount, std::string_view authorName);
    // How often a header was read from disk; for tests.
    std::size_t headerReads() const { return headerReads_; }

  private:
    // What tells one version of a file from another without reading it.
    struct Version {
        std::string path;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        long long size = 0;
        long long modifiedSeconds = 0;
        long long modifiedNanoseconds = 0;
        std::optional<std::tm> created;

        bool SameAs(const Version& other) const;
    };

    static std::optional<Version> VersionOf(const std::string& path);

    std::optional<Version> version_;
    std::optional<files::ResultFileHeader> header_;
    std::size_t headerReads_ = 0;
};

}  // namespace quexa::tasks
