#pragma once

#include <QTreeWidget>

#include <string>
#include <vector>

namespace quexa::ui {

// A list of texts with a tick each: the column "Select" holds the check box, the other the
// text. Space ticks the current row; the Menu key, Shift+F10 and a right click ask for the
// list's popup menu at the current row.
class CheckList : public QTreeWidget {
    Q_OBJECT

  public:
    struct Row {
        QString text;
        bool ticked = true;
    };

    CheckList(const QString& textColumn, int selectWidth, int textWidth, QWidget* parent = nullptr);

    // Replaces every row and makes current the row given, -1 for none.
    void SetRows(const std::vector<Row>& rows, int current);
    std::vector<bool> Ticks() const;
    // The current row, -1 for none.
    int CurrentRow() const;

  Q_SIGNALS:
    void Toggled(int row, bool ticked);
    // A click (either button) or a keyboard move made this row current.
    void RowChosen(int row);
    void MenuRequested(const QPoint& globalPosition);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPoint CurrentRowPoint() const;

    bool filling_ = false;
};

}  // namespace quexa::ui
