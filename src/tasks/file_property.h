#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quexa::tasks {

// What the "File Property" dialog shows of a result file: its rows, and the note and author a
// person may edit unless the file has a password.
struct FileProperty {
    static constexpr std::size_t kNoteLimit = 255;
    static constexpr std::size_t kAuthorLimit = 19;

    // Attribute and content, in the order shown.
    std::vector<std::pair<std::string, std::string>> rows;
    std::string note;
    std::string author;
    bool isProtected = false;

    // Nothing when the file's header can't be read.
    static std::optional<FileProperty> Read(const std::filesystem::path& path);
};

}  // namespace quexa::tasks
