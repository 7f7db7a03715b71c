#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompter.h"
#include "core/result_list.h"
#include "files/export_job.h"

namespace quexa::files {

// A link list (.qzs): an 8-byte header ("QZS", 'A', four zero bytes), then one 317-byte record
// per row of the list, addressed by row index. Not scrambled.
class LinkList {
  public:
    static constexpr std::size_t kHeaderSize = 8;
    static constexpr std::size_t kRecordSize = 317;
    static constexpr std::size_t kLocationWidth = 255;
    static constexpr std::size_t kTitleOffset = 255;
    static constexpr std::size_t kTitleWidth = 60;
    static constexpr std::size_t kVisitedOffset = 315;
    static constexpr std::size_t kInUseOffset = 316;
    static constexpr std::array<char, kHeaderSize> kHeader = {'Q', 'Z', 'S', 'A', 0, 0, 0, 0};
    static constexpr std::string_view kCannotWrite = "Can't write the link list file!";

    using RecordBytes = std::array<char, kRecordSize>;

    // One record; a row the export left out reads as a record not in use.
    struct Entry {
        std::string location;
        std::string title;
        bool visited = false;
        bool inUse = false;
    };

    // The record of a row: texts NUL-terminated, cut at a character boundary.
    static RecordBytes Encode(const core::ResultItem& item);
    // A text without terminator ends at its field's width.
    static Entry Decode(const RecordBytes& record);

    // Rows the job leaves out keep a record of zeros at their index; nothing follows the last
    // row taken. Shows its message and fails when the file can't be made.
    static bool Write(const std::filesystem::path& path, const core::ResultList& list,
                      const ExportJob& job, core::Prompter& prompter);

    // Nothing when the header is not a link list's. A short record at the end is ignored.
    static std::optional<std::vector<Entry>> Parse(std::string_view bytes);
    static std::optional<std::vector<Entry>> Read(const std::filesystem::path& path);
};

inline bool WriteLinkList(const std::filesystem::path& path, const core::ResultList& list,
                          const ExportJob& job, core::Prompter& prompter) {
    return LinkList::Write(path, list, job, prompter);
}

}  // namespace quexa::files
