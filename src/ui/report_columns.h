#pragma once

#include <array>
#include <vector>

#include "core/column_layout.h"
#include "core/result_column.h"

class QHeaderView;

namespace quexa::ui {

// Which of the result list's columns are shown ("active"), in which order and how wide, kept
// on the list's header. A column is active when it has a place in the header; an active column
// of width 0 (the preview and the verification mark) holds its place but is not drawn.
class ReportColumns {
  public:
    static constexpr int kCount = static_cast<int>(core::ResultColumn::kCount);
    // The width of a column whose definition leaves it to the list.
    static constexpr int kDefaultWidth = 60;
    // A column the user brings back with no width of its own.
    static constexpr int kRevivedWidth = 100;

    // The header's model must have kCount columns.
    explicit ReportColumns(QHeaderView& header);

    bool IsActive(int column) const;
    int Width(int column) const;
    // Active columns in header order.
    std::vector<int> ActiveOrder() const;
    std::vector<int> Inactive() const;

    // Every column active, in definition order, with its defined width.
    void ActivateDefaults();
    // Puts the column into the header before the active column at headerPosition (at the end
    // when there are fewer).
    void Activate(int column, int headerPosition);
    // As Activate, by the header's visual index (a drop on the header).
    void ActivateAt(int column, int visualIndex);
    void Deactivate(int column);
    // A width the user gave by dragging a divider; 0 means the header only hid the section.
    void NoteResized(int column, int width);

    core::ColumnLayout Layout() const;
    // False, changing nothing, when the layout does not fit the list.
    bool Apply(const core::ColumnLayout& layout);

  private:
    void Refresh(int column);
    // The column ends at that visual index.
    void PlaceAt(int column, int visualIndex);
    // The column goes before the one now at that visual index.
    void InsertBefore(int column, int visualIndex);

    QHeaderView& header_;
    std::array<bool, kCount> active_{};
    std::array<int, kCount> widths_{};
};

}  // namespace quexa::ui
