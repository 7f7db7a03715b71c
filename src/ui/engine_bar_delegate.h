#pragma once

#include <QStyledItemDelegate>

namespace quexa::ui {

// Paints the engine bar's "!" cell as the state's picture and its "Progress" cell as a
// progress bar, so that a row costs no widget of its own.
class EngineBarDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The colour of a state's picture: grey idle, amber connecting, blue searching, green
    // finished, red aborted.
    static QColor StateColour(int state);

  private:
    void PaintState(QPainter* painter, const QStyleOptionViewItem& option, int state) const;
    void PaintProgress(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const;
};

}  // namespace quexa::ui
