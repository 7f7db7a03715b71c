#pragma once

#include <QHeaderView>
#include <QPoint>

namespace quexa::ui {

// The result list's header: sections move and size by mouse, a click asks for a sort, a right
// click opens the small menu with "Field Manager", columns dragged from the column chooser drop
// onto it with the divider under the mouse marked, and a section dragged off it is hidden
// (dropped on the chooser or anywhere that takes no column).
class ReportHeader : public QHeaderView {
    Q_OBJECT

  public:
    static constexpr const char* kMenuTitle = "Quexa";
    static constexpr const char* kFieldManager = "Field Manager";

    explicit ReportHeader(QWidget* parent = nullptr);

    // The visual index a column dropped at x takes: before the first shown section whose middle
    // lies right of x, else after the last.
    int DropVisualIndex(int x) const;
    // Where the divider of that drop is drawn.
    int DividerX(int visualIndex) const;
    // The menu of a right click, for callers that open it from the keyboard.
    void OpenMenu(const QPoint& globalPosition);

  Q_SIGNALS:
    // A click on a section that is not the end of a drag.
    void ColumnClicked(int column);
    void FieldManagerRequested();
    void ColumnDropped(int column, int visualIndex);
    // A section dragged off the header was let go where nothing took it.
    void ColumnDraggedOff(int column);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void DragOut(int column);
    void MarkDivider(int x);

    int pressedSection_ = -1;
    QPoint pressPosition_;
    bool draggingOut_ = false;
    int dividerX_ = -1;
};

}  // namespace quexa::ui
