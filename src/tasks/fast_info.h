#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "files/result_file.h"
#include "tasks/task_state.h"

namespace quexa::tasks {

// The fields of the fast information bar, in the order of its captions.
struct FastInfo {
    std::string key;
    std::string mode;
    std::string author;
    std::string date;
    std::string count;
    std::string note;
    std::string path;

    bool operator==(const FastInfo&) const = default;
};

// What the bar is filled from: the current values, and the current file's header when it could
// be read.
struct FastInfoSource {
    std::size_t itemCount = 0;
    char searchMode = TaskState::kFreeEditMode;
    std::string_view currentQuery;
    std::string_view searchTarget;
    std::string_view currentFile;
    std::string_view authorName;
    std::optional<files::ResultFileHeader> header;
    // The file's creation time, local.
    std::optional<std::tm> created;
};

FastInfo DescribeFastInfo(const FastInfoSource& source);

// "2026/12/8  Week:Tues. 9:5:3"
std::string FormatFastInfoDate(const std::tm& time);

}  // namespace quexa::tasks
