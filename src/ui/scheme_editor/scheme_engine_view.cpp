#include "ui/scheme_editor/scheme_engine_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace quexa::ui {

SchemeEngineView::SchemeEngineView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    setAccessibleName(QStringLiteral("Engines"));
}

void SchemeEngineView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
        RequestMenuAtCurrentRow();
        return;
    }
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid()) {
        setCurrentIndex(index);
    }
    Q_EMIT MenuRequested(index.isValid() ? index.row() : -1, event->globalPos());
}

void SchemeEngineView::keyPressEvent(QKeyEvent* event) {
    // Taken here, the Menu key raises no second request as a context menu event.
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    if (menuKey || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        RequestMenuAtCurrentRow();
        return;
    }
    QTableView::keyPressEvent(event);
}

void SchemeEngineView::RequestMenuAtCurrentRow() {
    const QModelIndex current = currentIndex();
    const QRect cell = current.isValid() ? visualRect(current) : QRect();
    const QPoint position = current.isValid() ? cell.center() : QPoint(0, 0);
    Q_EMIT MenuRequested(current.isValid() ? current.row() : -1, viewport()->mapToGlobal(position));
}

}  // namespace quexa::ui
