#include "ui/result_list_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "ui/picture_book.h"
#include "ui/result_list_model.h"

namespace quexa::ui {
namespace {

const QStyle* StyleOf(const QWidget* widget) {
    return widget != nullptr ? widget->style() : QApplication::style();
}

bool Highlighted(const QStyleOptionViewItem& option) {
    return (option.state & QStyle::State_Selected) && (option.state & QStyle::State_HasFocus);
}

}  // namespace

ResultListDelegate::ResultListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QRect ResultListDelegate::CheckBoxRect(const QRect& cell, const QWidget* widget) {
    const QStyle* style = StyleOf(widget);
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
    QRect box(0, 0, width, height);
    box.moveCenter(cell.center());
    return box;
}

QRect ResultListDelegate::TextRect(const QRect& cell) {
    return cell.adjusted(kTextMargin, 0, -kTextMargin, 0);
}

bool ResultListDelegate::IsCut(const QString& text, const QRect& cell, const QFont& font) {
    return !text.isEmpty() && QFontMetrics(font).horizontalAdvance(text) > TextRect(cell).width();
}

int ResultListDelegate::WidthFor(const QString& text, const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(text) + 2 * kTextMargin + 1;
}

void ResultListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const int column = index.column();
    if (ResultListModel::IsPictureColumn(column)) {
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        if (!picture.isNull()) {
            QRect target(QPoint(), picture.deviceIndependentSize().toSize());
            target.moveCenter(option.rect.center());
            painter->drawPixmap(target, picture);
        }
        return;
    }
    if (ResultListModel::IsCheckColumn(column)) {
        QStyleOptionViewItem check(option);
        check.rect = CheckBoxRect(option.rect, option.widget);
        check.state = QStyle::State_Enabled;
        check.state |= index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked
                           ? QStyle::State_On
                           : QStyle::State_Off;
        StyleOf(option.widget)
            ->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, option.widget);
        return;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) {
        return;
    }
    const QRect area = TextRect(option.rect);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(
        QPalette::Active, Highlighted(option) ? QPalette::HighlightedText : QPalette::Text));
    const QString shown = QFontMetrics(option.font).elidedText(text, Qt::ElideRight, area.width());
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter->restore();
}

QSize ResultListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const int column = index.column();
    const QFontMetrics metrics(option.font);
    if (ResultListModel::IsPictureColumn(column) || ResultListModel::IsCheckColumn(column)) {
        const int side = PictureBook::kCellPictureSize + 2 * kTextMargin;
        return {side, std::max(side, metrics.height())};
    }
    return {WidthFor(index.data(Qt::DisplayRole).toString(), option.font), metrics.height()};
}

bool ResultListDelegate::editorEvent(QEvent* /*event*/, QAbstractItemModel* /*model*/,
                                     const QStyleOptionViewItem& /*option*/,
                                     const QModelIndex& /*index*/) {
    return false;
}

}  // namespace quexa::ui
