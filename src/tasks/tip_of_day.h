#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/profile.h"

namespace quexa::tasks {

// The tip of the day: one line of the tips file after another, from where the last showing
// stopped (Tip / FilePos), round to the first tip after the last. A changed file (another
// Tip / TimeStamp) starts again from its first tip.
class TipOfDay {
  public:
    static constexpr std::string_view kFileName = "tips.txt";
    // A larger file is not a tips file of ours.
    static constexpr std::size_t kLargestFile = 1 << 20;
    static constexpr char kCommentMark = ';';

    TipOfDay(core::Profile& profile, std::filesystem::path file)
        : profile_(profile), file_(std::move(file)) {}

    // Tip / StartUp 0 shows the dialog at start-up.
    bool ShowsAtStartUp() const;
    void SetShowsAtStartUp(bool shows);

    // The next tip, with the position after it and the file's time stamp stored; nothing when
    // the file can't be read or holds no tip.
    std::optional<std::string> NextTip();

    // The file's modification time as text, empty when it can't be read.
    static std::string TimeStampOf(const std::filesystem::path& file);

  private:
    core::Profile& profile_;
    std::filesystem::path file_;
};

}  // namespace quexa::tasks
