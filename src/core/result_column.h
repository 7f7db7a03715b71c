#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quexa::core {

// The cells of a result row, in the order the report control defines its columns.
enum class ResultCell : std::size_t {
    Preview = 0,
    VerifyMark = 1,
    Status = 2,
    Visit = 3,
    Select = 4,
    Title = 5,
    Location = 6,
    SearchTarget = 7,
};

struct ResultColumn {
    static constexpr std::size_t kCount = 8;
    // A negative width leaves the width to the control's default.
    static constexpr int kDefaultWidth = -1;

    std::string_view header;
    int width;
};

// Preview and the verification mark are hidden columns of width 0.
inline constexpr std::array<ResultColumn, ResultColumn::kCount> kResultColumns{{
    {"", 0},
    {"", 0},
    {"Status", ResultColumn::kDefaultWidth},
    {"Visit", ResultColumn::kDefaultWidth},
    {"Select", ResultColumn::kDefaultWidth},
    {"Title", 200},
    {"Location", 200},
    {"Search Target", 100},
}};

}  // namespace quexa::core
