#include "ui/picture_book.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <cmath>

namespace quexa::ui {
namespace {

QString ResourcePath(const QString& name) {
    return QStringLiteral(":/pictures/%1.svg").arg(name);
}

bool IsCode(int code) {
    return (code >= 3 && code <= 10);
}

}  // namespace

QPixmap PictureBook::Picture(const QString& name, QSize size, qreal scale) {
    const QString key = QStringLiteral("quexa/%1/%2x%3@%4")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(scale);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap)) {
        return pixmap;
    }
    QSvgRenderer renderer(ResourcePath(name));
    if (!renderer.isValid() || size.isEmpty()) {
        return {};
    }
    QImage image(static_cast<int>(std::lround(size.width() * scale)),
                 static_cast<int>(std::lround(size.height() * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    image.setDevicePixelRatio(scale);
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QSize PictureBook::NaturalSize(const QString& name) {
    const QSvgRenderer renderer(ResourcePath(name));
    return renderer.isValid() ? renderer.defaultSize() : QSize();
}

QPixmap PictureBook::CodePicture(int code, qreal scale) {
    if (!IsCode(code)) {
        return {};
    }
    const QString name = (code == 8 || code == 9) ? QStringLiteral("visit_%1").arg(code)
                                                  : QStringLiteral("status_%1").arg(code);
    return Picture(name, QSize(kCellPictureSize, kCellPictureSize), scale);
}

QPixmap PictureBook::Background(int index, qreal scale) {
    if (index < 0 || index >= kBackgroundCount) {
        return {};
    }
    const QString name = QStringLiteral("background_%1").arg(index);
    return Picture(name, NaturalSize(name), scale);
}

}  // namespace quexa::ui
