#pragma once

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
};

}  // namespace quexa::ui
