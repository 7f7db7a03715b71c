#include "ui/column_chooser.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include <climits>

#include "ui/column_drag.h"
#include "ui/result_list_model.h"
#include "ui/result_list_view.h"

namespace quexa::ui {

ColumnChooser::ColumnChooser(ResultListView& view, QWidget* parent)
    : QListWidget(parent), view_(view) {
    setAccessibleName(QStringLiteral("Field Manager"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    connect(&view_, &ResultListView::ColumnsChanged, this, &ColumnChooser::Refill);
    connect(this, &QListWidget::itemActivated, this, &ColumnChooser::ShowAtEnd);
    Refill();
}

void ColumnChooser::Refill() {
    clear();
    const QAbstractItemModel* model = view_.model();
    for (const int column : view_.Columns().Inactive()) {
        const QString caption =
            model != nullptr ? model->headerData(column, Qt::Horizontal).toString() : QString();
        auto* item = new QListWidgetItem(caption, this);
        item->setData(kColumnRole, column);
    }
}

void ColumnChooser::ShowAtEnd(QListWidgetItem* item) {
    if (item != nullptr) {
        view_.ActivateColumn(item->data(kColumnRole).toInt(), INT_MAX);
    }
}

QStringList ColumnChooser::mimeTypes() const {
    return {QString::fromLatin1(ColumnDrag::kMimeType)};
}

QMimeData* ColumnChooser::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty()) {
        return nullptr;
    }
    return ColumnDrag::Encode(items.constFirst()->data(kColumnRole).toInt()).release();
}

Qt::DropActions ColumnChooser::supportedDropActions() const {
    return Qt::MoveAction;
}

void ColumnChooser::dragEnterEvent(QDragEnterEvent* event) {
    // Only sections from the header: an entry of this list dropped here stays as it is.
    if (event->source() != this && ColumnDrag::Decode(event->mimeData())) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void ColumnChooser::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this && ColumnDrag::Decode(event->mimeData())) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void ColumnChooser::dropEvent(QDropEvent* event) {
    const std::optional<int> column = ColumnDrag::Decode(event->mimeData());
    if (event->source() == this || !column) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    view_.DeactivateColumn(*column);
}

}  // namespace quexa::ui
