#include "ui/preview_band.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

namespace quexa::ui {
namespace {

// Preview texts of files break their lines with CR LF; a text layout wants its own separator.
QString WithLineSeparators(QString text) {
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    return text;
}

}  // namespace

QRect PreviewBand::TextRect(const QRect& band) {
    return band.adjusted(kIndent, kMargin, 0, -kMargin);
}

QStringList PreviewBand::Lines(const QString& text, const QFont& font, QSize room) {
    QStringList lines;
    if (text.isEmpty() || room.width() <= 0) {
        return lines;
    }
    const QString laidOut = WithLineSeparators(text);
    const QFontMetrics metrics(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextLayout layout(laidOut, font);
    layout.setTextOption(option);
    layout.beginLayout();
    int height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        const bool lastThatFits = height + 2 * metrics.height() > room.height();
        if (height + metrics.height() > room.height()) {
            break;
        }
        height += metrics.height();
        const int start = line.textStart();
        if (lastThatFits && start + line.textLength() < laidOut.size()) {
            // Whatever is left goes on this line, cut where it no longer fits.
            QString rest = laidOut.mid(start);
            rest.replace(QChar::LineSeparator, QLatin1Char(' '));
            lines << metrics.elidedText(rest, Qt::ElideRight, room.width());
            break;
        }
        QString part = laidOut.mid(start, line.textLength());
        part.remove(QChar::LineSeparator);
        lines << part;
    }
    layout.endLayout();
    return lines;
}

void PreviewBand::Draw(QPainter& painter, const QRect& band, const QString& text, const QFont& font,
                       const QColor& colour) {
    const QRect area = TextRect(band);
    const QStringList lines = Lines(text, font, area.size());
    if (lines.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(font);
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.setClipRect(area, Qt::IntersectClip);
    int top = area.top();
    for (const QString& line : lines) {
        painter.drawText(QRect(area.left(), top, area.width(), metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs | Qt::TextSingleLine,
                         line);
        top += metrics.height();
    }
    painter.restore();
}

}  // namespace quexa::ui
