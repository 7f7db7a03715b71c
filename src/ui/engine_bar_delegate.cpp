#include "ui/engine_bar_delegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <array>

#include "ui/engine_bar_model.h"

namespace quexa::ui {
namespace {

constexpr int kStateDiameter = 10;
constexpr int kProgressMargin = 2;

}  // namespace

void EngineBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    switch (index.column()) {
        case EngineBarModel::StateColumn:
            QStyledItemDelegate::paint(painter, option, index);
            PaintState(painter, option, index.data(EngineBarModel::StateRole).toInt());
            return;
        case EngineBarModel::ProgressColumn:
            PaintProgress(painter, option, index);
            return;
        default:
            QStyledItemDelegate::paint(painter, option, index);
    }
}

QColor EngineBarDelegate::StateColour(int state) {
    static const std::array<QColor, 5> kColours{QColor(0x9e, 0x9e, 0x9e), QColor(0xe6, 0xa1, 0x17),
                                                QColor(0x1e, 0x6f, 0xd9), QColor(0x2e, 0xa0, 0x43),
                                                QColor(0xd3, 0x2f, 0x2f)};
    if (state < 0 || state >= static_cast<int>(kColours.size())) {
        return kColours[0];
    }
    return kColours[static_cast<std::size_t>(state)];
}

void EngineBarDelegate::PaintState(QPainter* painter, const QStyleOptionViewItem& option,
                                   int state) const {
    const QRect cell = option.rect;
    const QRect dot(cell.center().x() - kStateDiameter / 2, cell.center().y() - kStateDiameter / 2,
                    kStateDiameter, kStateDiameter);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor colour = StateColour(state);
    painter->setPen(colour.darker(140));
    painter->setBrush(colour);
    painter->drawEllipse(dot);
    painter->restore();
}

void EngineBarDelegate::PaintProgress(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    QStyleOptionProgressBar bar;
    bar.rect =
        option.rect.adjusted(kProgressMargin, kProgressMargin, -kProgressMargin, -kProgressMargin);
    bar.state = option.state | QStyle::State_Horizontal;
    bar.minimum = 0;
    bar.maximum = std::max(1, index.data(EngineBarModel::ExpectedRole).toInt());
    bar.progress = std::clamp(index.data(EngineBarModel::PositionRole).toInt(), 0, bar.maximum);
    bar.textVisible = false;
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}

}  // namespace quexa::ui
