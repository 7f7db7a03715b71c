#pragma once

#include <Qt>

#include <memory>
#include <optional>

class QMimeData;

namespace quexa::ui {

// A column dragged between the column chooser and the list's header, by its definition index.
class ColumnDrag {
  public:
    static constexpr const char* kMimeType = "application/x-quexa-column";

    static std::unique_ptr<QMimeData> Encode(int column);
    // Nothing when the data carries no column.
    static std::optional<int> Decode(const QMimeData* data);

    // Whether a header section dragged off the header is hidden when its drag ends: a target
    // that took it (the chooser hides it, the header moves it) has acted already; a drag let go
    // where nothing takes a column hides it; Escape (the button still held) keeps it.
    static bool HidesAfterDragOut(Qt::DropAction taken, Qt::MouseButtons stillHeld);
    // Whether the mouse at y has left a header of that height far enough to drag a section out:
    // more than half the height above or below it.
    static bool IsOffTheHeader(int y, int headerHeight);
};

}  // namespace quexa::ui
