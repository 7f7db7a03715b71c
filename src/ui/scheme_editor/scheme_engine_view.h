#pragma once

#include <QTableView>

namespace quexa::ui {

// The engine list of the scheme editor: its popup opens at the clicked row, and at the
// current row by the Menu key or Shift+F10.
class SchemeEngineView : public QTableView {
    Q_OBJECT

  public:
    explicit SchemeEngineView(QWidget* parent = nullptr);

  Q_SIGNALS:
    // row is -1 when no row is under the pointer.
    void MenuRequested(int row, QPoint globalPosition);

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void RequestMenuAtCurrentRow();
};

}  // namespace quexa::ui
