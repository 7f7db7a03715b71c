#include "ui/column_drag.h"

#include <QByteArray>
#include <QMimeData>
#include <QString>

namespace quexa::ui {

std::unique_ptr<QMimeData> ColumnDrag::Encode(int column) {
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(kMimeType), QByteArray::number(column));
    return data;
}

std::optional<int> ColumnDrag::Decode(const QMimeData* data) {
    const QString type = QString::fromLatin1(kMimeType);
    if (data == nullptr || !data->hasFormat(type)) {
        return std::nullopt;
    }
    bool ok = false;
    const int column = data->data(type).toInt(&ok);
    if (!ok || column < 0) {
        return std::nullopt;
    }
    return column;
}

bool ColumnDrag::HidesAfterDragOut(Qt::DropAction taken, Qt::MouseButtons stillHeld) {
    return taken == Qt::IgnoreAction && !(stillHeld & Qt::LeftButton);
}

bool ColumnDrag::IsOffTheHeader(int y, int headerHeight) {
    return y > headerHeight + headerHeight / 2 || y < -headerHeight / 2;
}

}  // namespace quexa::ui
