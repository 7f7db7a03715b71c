#include "tasks/window_placement.h"

#include "core/settings_table.h"

namespace quexa::tasks {

namespace settings = core::settings;

WindowPlacement WindowPlacement::Read(const core::Profile& profile) {
    WindowPlacement placement;
    placement.left = settings::kWindowLeft.Read(profile);
    placement.top = settings::kWindowTop.Read(profile);
    placement.right = settings::kWindowRight.Read(profile);
    placement.bottom = settings::kWindowBottom.Read(profile);
    placement.zoomed = settings::kWindowZoomed.ReadFlag(profile);
    return placement;
}

void WindowPlacement::Store(core::Profile& profile, bool minimized, bool maximized) const {
    if (!minimized && !maximized) {
        settings::kWindowTop.Write(profile, top);
        settings::kWindowLeft.Write(profile, left);
        settings::kWindowRight.Write(profile, right);
        settings::kWindowBottom.Write(profile, bottom);
    }
    settings::kWindowZoomed.Write(profile, maximized ? 1 : 0);
}

}  // namespace quexa::tasks
