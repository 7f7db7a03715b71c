#pragma once

#include <QColor>
#include <QPointer>
#include <QTableView>

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/column_layout.h"
#include "core/profile.h"
#include "core/sort_mark.h"
#include "ui/list_appearance.h"
#include "ui/report_columns.h"

namespace quexa::ui {

class PanWindow;
class RowCountModel;
class ReportHeader;
class ResultListDelegate;
class ResultListModel;

// The result list control: the core's rows through a ResultListModel, drawn with their status
// and visit pictures, "Select" check boxes, the preview band under each row, grid lines,
// alternate row colours and a background picture. Sorting by a header click, moving, sizing,
// hiding and showing columns, and the column layout kept in the profile. Every row has the same
// height, so a million rows cost nothing per row in the view.
class ResultListView : public QTableView {
    Q_OBJECT

  public:
    static constexpr int kColourCount = 3;
    // The one-line text painted while the list is empty.
    static constexpr const char* kEmptyText = "Quexa - Search Results";

    explicit ResultListView(QWidget* parent = nullptr);
    ~ResultListView() override;

    // Only a ResultListModel can be shown.
    void setModel(QAbstractItemModel* model) override;
    ResultListModel* ListModel() const { return model_; }
    // Sets a scroll range still to come first, so that a new last row can be scrolled to.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Appearance.
    void ApplyAppearance(const ListAppearance& appearance);
    const ListAppearance& Appearance() const { return appearance_; }
    // The preview band's height under every row: 50 while previews are shown, else 0.
    void SetPreviewHeight(int height);
    int PreviewHeight() const { return previewHeight_; }
    // Cells without the band; rows are this plus the band plus the grid line.
    int CellHeight() const;
    int RowHeight() const;
    // The colour list; entry 0 is also the background of every second row.
    void SetColour(int index, const QColor& colour);
    QColor Colour(int index) const;
    // The lines one wheel notch scrolls; -1 scrolls a page.
    void SetWheelLines(int lines) { wheelLines_ = lines; }

    // Columns, by their definition index.
    ReportHeader* Header() const { return header_; }
    const ReportColumns& Columns() const { return columns_; }
    void ActivateColumn(int column, int headerPosition);
    void DeactivateColumn(int column);
    void ActivateDefaultColumns();
    core::ColumnLayout Layout() const { return columns_.Layout(); }
    // False, changing nothing, when the layout does not fit.
    bool ApplyLayout(const core::ColumnLayout& layout);
    // The layout stored under "Settings"/"iResultListCtrl"; the default columns when there is
    // none or it does not fit. True when the stored one was taken.
    bool LoadLayout(const core::Profile& profile);
    void StoreLayout(core::Profile& profile) const;
    // A double click on a divider: the widest text of the column in all rows.
    void AutoSizeColumn(int column);

    // What sorts the rows for a header click; true when it sorted. Without one the model sorts
    // on this thread; the result view installs the task layer's sort, which works the order
    // out on another thread while the wait window paints, and refuses while other work runs.
    using Sorter = std::function<bool(core::SortChoice choice)>;
    void SetSorter(Sorter sorter) { sorter_ = std::move(sorter); }

    // Sorting by a header click: the same column again turns the order round. The focus row
    // keeps the focus and is scrolled into view.
    void SortByColumn(int column);
    std::optional<core::SortChoice> SortedBy() const { return sortMark_.Current(); }

    int CurrentRow() const;
    void SetCurrentRow(int row);

  Q_SIGNALS:
    // A left press on a cell; onCheckBox when it hit the "Select" check box (and flipped it).
    void CellClicked(int row, int column, bool onCheckBox);
    void RowDoubleClicked(int row);
    // A right click (the row under the mouse, or -1), the Menu key or Shift+F10 (the current
    // row): the result view opens its menu there.
    void ContextMenuRequested(int row, const QPoint& globalPosition);
    void CurrentRowChanged(int row);
    // A header click, before the list is sorted.
    void HeaderClicked(int column);
    // A column was shown, hidden or moved: the column chooser refills.
    void ColumnsChanged();
    // "Field Manager" in the header's menu: show or hide the column chooser.
    void FieldManagerRequested();

  protected Q_SLOTS:
    // Takes the place of the table's own slot, which walks every row and repaints the whole
    // list whenever the row header's count changes; the rows' own notices do what is needed.
    void rowCountChanged(int oldCount, int newCount);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    int sizeHintForColumn(int column) const override;
    // The row header may count some rows more than the list: the scroll bar goes by the list,
    // and its end shows the list's last row, not the header's.
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    struct RowPaint;

    void UpdateRowHeight();
    void PaintBackground(QPainter& painter, const QRect& area) const;
    void PaintEmptyText(QPainter& painter) const;
    void PaintRow(QPainter& painter, const RowPaint& row) const;
    void PaintGrid(QPainter& painter, const RowPaint& row) const;
    QColor RowBackground(int row, bool selected) const;
    bool ShowsFocus() const;
    // The columns' span on the viewport: from the first column's left edge to the last's right.
    int ContentRight() const;
    bool ShowToolTip(const QPoint& position);
    void RequestMenuAtCurrentRow();
    void StartPanning();
    void OnColumnDropped(int column, int visualIndex);
    // Rows from first on came or went: rows out of sight change only the scroll bar's end.
    void OnRowsChanged(int first, bool inserted);
    void SetRowRange();
    // Sets the range at the next turn of the event loop when rows came: a search adds its rows
    // one by one, and every new range costs the loop a wake-up (an Intranet search twice its
    // time). Rows that went set it at once.
    void ScheduleRowRange();

    ResultListModel* model_ = nullptr;
    ReportHeader* header_;
    ResultListDelegate* delegate_;
    ReportColumns columns_;
    ListAppearance appearance_;
    std::array<QColor, kColourCount> colours_;
    core::SortMark sortMark_;
    Sorter sorter_;
    QPointer<PanWindow> pan_;
    int previewHeight_ = 0;
    int wheelLines_ = 3;
    std::unique_ptr<RowCountModel> rowCount_;
    // Wheel movement not yet worth a line.
    int wheelRest_ = 0;
    bool rowRangeWanted_ = false;
};

}  // namespace quexa::ui
