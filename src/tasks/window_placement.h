#pragma once

#include "core/profile.h"

namespace quexa::tasks {

// Where the main window opens and what closing it remembers (System\Position).
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int right = 640;
    int bottom = 480;
    bool zoomed = false;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    static WindowPlacement Read(const core::Profile& profile);
    // The rectangle is written only for a window that is neither minimized nor maximized, so
    // that a restored window comes back at its last normal place; Zoomed always.
    void Store(core::Profile& profile, bool minimized, bool maximized) const;

    bool operator==(const WindowPlacement&) const = default;
};

}  // namespace quexa::tasks
