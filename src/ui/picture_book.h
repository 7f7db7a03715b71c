#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace quexa::ui {

// The pictures drawn for Quexa (data/pictures, built in as resources), rendered from their SVG
// sources at the scale of the screen they go to and kept for the next paint.
class PictureBook {
  public:
    // Status and visit pictures are square cells of this many pixels.
    static constexpr int kCellPictureSize = 16;
    // The background pictures the Options sheet offers, numbered as the profile stores them.
    static constexpr int kBackgroundCount = 10;

    // The picture of a status code (3 to 7, 10) or a visit code (8, 9); null for any other.
    static QPixmap CodePicture(int code, qreal scale = 1.0);
    // Background picture 0 to 9; null for any other.
    static QPixmap Background(int index, qreal scale = 1.0);
    // Any picture by its file name without ".svg", at a size in device-independent pixels.
    static QPixmap Picture(const QString& name, QSize size, qreal scale = 1.0);
    // The natural size of a picture; empty when there is no such picture.
    static QSize NaturalSize(const QString& name);
};

}  // namespace quexa::ui
