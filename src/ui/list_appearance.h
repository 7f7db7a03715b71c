#pragma once

#include <optional>

#include "core/profile.h"

namespace quexa::ui {

// How the result list looks, as the Options sheet's Other page stores it.
struct ListAppearance {
    bool alternateRows = false;
    bool horizontalGrid = false;
    bool verticalGrid = false;
    // The background picture (0 to 9); none for a plain window colour.
    std::optional<int> background;

    // UseBkImg, BkImg, HGrid, VGrid and AlternateColor; a picture number the list does not
    // have shows picture 0.
    static ListAppearance FromProfile(const core::Profile& profile);

    bool operator==(const ListAppearance&) const = default;
};

}  // namespace quexa::ui
