#pragma once

#include <cstddef>
#include <string>

#include "core/status_code.h"

namespace quexa::core {

// One row of the result list. Texts are UTF-8; the limits are in bytes.
struct ResultItem {
    static constexpr std::size_t kTitleLimit = 60;
    static constexpr std::size_t kLocationLimit = 255;
    static constexpr std::size_t kPreviewLimit = 255;
    // SearchTarget as the Edit Item dialog and a result file keep it; the list itself allows
    // a full cell.
    static constexpr std::size_t kTargetLimit = 50;
    static constexpr int kPreviewBandHeight = 50;

    std::string title;
    std::string location;
    std::string searchTarget;
    std::string preview;
    StatusCode status = StatusCode::Normal;
    VisitCode visit = VisitCode::WithoutVisit;
    bool selected = false;
    int previewHeight = 0;

    // The preview band is shown when the profile's preview switch is non-zero.
    static int PreviewHeightFor(long previewSetting) {
        return previewSetting != 0 ? kPreviewBandHeight : 0;
    }
};

}  // namespace quexa::core
