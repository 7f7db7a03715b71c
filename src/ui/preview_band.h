#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace quexa::ui {

// The band under a result row that shows the item's preview text: wrapped at word boundaries,
// tabs expanded, cut with "..." when it does not fit.
class PreviewBand {
  public:
    // The text starts this far right of the band's left edge, and this far in from its top
    // and bottom.
    static constexpr int kIndent = 40;
    static constexpr int kMargin = 2;

    static QRect TextRect(const QRect& band);
    // The lines shown in the width and height, the last one cut when text is left over.
    static QStringList Lines(const QString& text, const QFont& font, QSize room);
    static void Draw(QPainter& painter, const QRect& band, const QString& text, const QFont& font,
                     const QColor& colour);
};

}  // namespace quexa::ui
