#pragma once

#include <QStyledItemDelegate>

namespace quexa::ui {

// Paints one cell of the result list: a status or visit picture, the "Select" check box, or a
// text in the rows' bold font cut with "..." where it does not fit. The view paints the row's
// background, preview band and grid around it, and flips checks itself.
class ResultListDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    // Room left of a text and right of it before it is cut.
    static constexpr int kTextMargin = 4;

    explicit ResultListDelegate(QObject* parent = nullptr);

    // option.rect is the cell without the preview band; State_Selected with State_HasFocus
    // paints the text in the highlight text colour.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Checks are flipped by the view on a press, not by the delegate on a release.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // Where the check box of a "Select" cell is drawn.
    static QRect CheckBoxRect(const QRect& cell, const QWidget* widget);
    static QRect TextRect(const QRect& cell);
    // Whether the text does not fit the cell and is shown cut.
    static bool IsCut(const QString& text, const QRect& cell, const QFont& font);
    // The width a column needs for this text, margins included.
    static int WidthFor(const QString& text, const QFont& font);
};

}  // namespace quexa::ui
