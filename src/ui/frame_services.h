#pragma once

#include <memory>

#include "tasks/clipboard.h"
#include "tasks/location_opener.h"
#include "tasks/trash.h"

namespace quexa::ui {

// What the window asks of the desktop; null members get the real adapters.
struct FrameServices {
    std::unique_ptr<tasks::LocationOpener> opener;
    std::unique_ptr<tasks::Trash> trash;
    std::unique_ptr<tasks::Clipboard> clipboard;
};

}  // namespace quexa::ui
