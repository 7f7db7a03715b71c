#include "ui/options/options_banner.h"

#include <QFontMetrics>
#include <QPainter>

namespace quexa::ui {
namespace {

constexpr int kTextHeight = 18;
constexpr int kLeft = 20;

}  // namespace

OptionsBanner::OptionsBanner(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QString::fromLatin1(kText));
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize OptionsBanner::sizeHint() const {
    const QFontMetrics metrics(BannerFont());
    return {kLeft + metrics.horizontalAdvance(QString::fromLatin1(kText)) + 2,
            metrics.height() + 2};
}

void OptionsBanner::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(BannerFont());
    const QString text = QString::fromLatin1(kText);
    const QRect area = rect().adjusted(kLeft, 0, 0, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(area.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text);
}

QFont OptionsBanner::BannerFont() const {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kTextHeight);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

}  // namespace quexa::ui
