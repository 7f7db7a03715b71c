#include "tasks/tip_of_day.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

#include "core/settings_table.h"

namespace quexa::tasks {
namespace {

std::optional<std::string> ReadBounded(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string text(TipOfDay::kLargestFile + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > TipOfDay::kLargestFile) {
        return std::nullopt;
    }
    return text;
}

// The line that starts at or after `from`, and where the next one starts; a position inside a
// line (a damaged FilePos) goes on at the next line.
std::pair<std::string_view, std::size_t> LineFrom(std::string_view text, std::size_t from) {
    if (from > 0 && text[from - 1] != '\n') {
        const auto end = text.find('\n', from);
        from = end == std::string_view::npos ? text.size() : end + 1;
    }
    auto end = text.find('\n', from);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    std::string_view line = text.substr(from, next - from);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return {line, next};
}

bool IsTip(std::string_view line) {
    const auto start = line.find_first_not_of(" \t");
    return start != std::string_view::npos && line[start] != TipOfDay::kCommentMark;
}

}  // namespace

bool TipOfDay::ShowsAtStartUp() const {
    return core::settings::kTipStartUp.Read(profile_) == 0;
}

void TipOfDay::SetShowsAtStartUp(bool shows) {
    core::settings::kTipStartUp.Write(profile_, shows ? 0 : 1);
}

std::optional<std::string> TipOfDay::NextTip() {
    const std::optional<std::string> text = ReadBounded(file_);
    if (!text) {
        return std::nullopt;
    }
    const std::string stamp = TimeStampOf(file_);
    const std::int32_t stored = core::settings::kTipFilePos.Read(profile_);
    std::size_t position = 0;
    if (stamp == core::settings::kTipTimeStamp.Read(profile_) && stored > 0 &&
        static_cast<std::size_t>(stored) < text->size()) {
        position = static_cast<std::size_t>(stored);
    }
    // Once round the file at most, starting again at its top when the end comes first.
    for (std::size_t read = 0; read <= text->size();) {
        if (position >= text->size()) {
            position = 0;
        }
        const auto [line, next] = LineFrom(*text, position);
        read += next - position + (next == position ? 1 : 0);
        position = next;
        if (IsTip(line)) {
            core::settings::kTipFilePos.Write(profile_, static_cast<std::int32_t>(next));
            core::settings::kTipTimeStamp.Write(profile_, stamp);
            return std::string(line);
        }
    }
    return std::nullopt;
}

std::string TipOfDay::TimeStampOf(const std::filesystem::path& file) {
    struct stat info {};
    if (stat(file.c_str(), &info) != 0) {
        return {};
    }
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "%lld.%09ld",
                  static_cast<long long>(info.st_mtim.tv_sec),
                  static_cast<long>(info.st_mtim.tv_nsec));
    return text.data();
}

}  // namespace quexa::tasks
