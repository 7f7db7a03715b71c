#pragma once

#include <string>

#include "core/profile.h"

namespace quexa::files {

// Which fields the text, TAB and HTML exports carry, and the labels of the plain text export:
// profile section "System\Export", read afresh for every export.
struct ExportFields {
    bool title = true;
    bool location = true;
    bool target = true;
    bool preview = true;
    std::string titleLabel = "Title: ";
    std::string locationLabel = "Location: ";
    std::string targetLabel = "Search Target: ";
    std::string previewLabel = "Preview: ";

    static ExportFields Load(const core::Profile& profile);
};

}  // namespace quexa::files
