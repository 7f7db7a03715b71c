#include "tasks/fast_info.h"

#include <array>
#include <cstdio>

namespace quexa::tasks {
namespace {

std::string DescribeMode(char mode, std::string_view target) {
    switch (mode) {
        case TaskState::kFreeEditMode:
            return "Free Edit Mode";
        case TaskState::kIntranetMode:
            return "Intranet Search [ " + std::string(target) + " ]";
        case TaskState::kInternetMode:
            return "Internet Search";
        default:
            return {};
    }
}

}  // namespace

std::string FormatFastInfoDate(const std::tm& time) {
    static constexpr std::array<const char*, 7> kWeekdays = {"Sun.", "Mon.", "Tues.", "Wed.",
                                                             "Thu.", "Fri.", "Sat."};
    const char* weekday = time.tm_wday >= 0 && time.tm_wday < 7 ? kWeekdays[time.tm_wday] : "";
    std::array<char, 96> text{};
    std::snprintf(text.data(), text.size(), "%d/%d/%d  Week:%s %d:%d:%d", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, weekday, time.tm_hour, time.tm_min, time.tm_sec);
    return text.data();
}

FastInfo DescribeFastInfo(const FastInfoSource& source) {
    FastInfo info;
    info.count = std::to_string(source.itemCount) + " Item(s)";
    info.path = source.currentFile;
    if (source.header) {
        const files::ResultFileHeader& header = *source.header;
        info.mode = DescribeMode(header.mode, header.searchTarget);
        info.key = header.keywords;
        info.author = header.author;
        info.note = header.note;
        if (source.created) {
            info.date = FormatFastInfoDate(*source.created);
        }
        return info;
    }
    info.mode = DescribeMode(source.searchMode, source.searchTarget);
    if (source.searchMode != TaskState::kFreeEditMode) {
        info.key = source.currentQuery;
    }
    info.author = source.authorName;
    return info;
}

}  // namespace quexa::tasks
