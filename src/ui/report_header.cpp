#include "ui/report_header.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "ui/column_drag.h"

namespace quexa::ui {

ReportHeader::ReportHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsMovable(true);
    setSectionsClickable(true);
    setSortIndicatorShown(true);
    setSortIndicator(-1, Qt::AscendingOrder);
    setHighlightSections(false);
    setStretchLastSection(false);
    setAcceptDrops(true);
    setAccessibleName(QStringLiteral("Result List Columns"));
    connect(this, &QHeaderView::sectionClicked, this, [this](int column) {
        if (!draggingOut_) {
            Q_EMIT ColumnClicked(column);
        }
    });
}

int ReportHeader::DropVisualIndex(int x) const {
    for (int visual = 0; visual < count(); ++visual) {
        const int column = logicalIndex(visual);
        if (isSectionHidden(column)) {
            continue;
        }
        if (x < sectionViewportPosition(column) + sectionSize(column) / 2) {
            return visual;
        }
    }
    return count();
}

int ReportHeader::DividerX(int visualIndex) const {
    for (int visual = visualIndex; visual < count(); ++visual) {
        const int column = logicalIndex(visual);
        if (!isSectionHidden(column)) {
            return sectionViewportPosition(column);
        }
    }
    return length() - offset();
}

void ReportHeader::OpenMenu(const QPoint& globalPosition) {
    QMenu menu(this);
    menu.setAccessibleName(QString::fromLatin1(kMenuTitle));
    QAction* title = menu.addAction(QString::fromLatin1(kMenuTitle));
    title->setEnabled(false);
    menu.addSeparator();
    QAction* fieldManager = menu.addAction(QString::fromLatin1(kFieldManager));
    menu.setDefaultAction(fieldManager);
    connect(fieldManager, &QAction::triggered, this, &ReportHeader::FieldManagerRequested);
    menu.exec(globalPosition);
}

void ReportHeader::contextMenuEvent(QContextMenuEvent* event) {
    OpenMenu(event->globalPos());
    event->accept();
}

void ReportHeader::mousePressEvent(QMouseEvent* event) {
    draggingOut_ = false;
    pressedSection_ =
        event->button() == Qt::LeftButton ? logicalIndexAt(event->position().toPoint()) : -1;
    pressPosition_ = event->position().toPoint();
    QHeaderView::mousePressEvent(event);
}

void ReportHeader::mouseMoveEvent(QMouseEvent* event) {
    const bool offTheHeader = ColumnDrag::IsOffTheHeader(event->position().toPoint().y(), height());
    if (pressedSection_ >= 0 && (event->buttons() & Qt::LeftButton) && offTheHeader) {
        DragOut(std::exchange(pressedSection_, -1));
        return;
    }
    QHeaderView::mouseMoveEvent(event);
}

void ReportHeader::mouseReleaseEvent(QMouseEvent* event) {
    pressedSection_ = -1;
    QHeaderView::mouseReleaseEvent(event);
    draggingOut_ = false;
}

// The header's own move ends where it began; the section then travels as a drag that the
// column chooser or the header takes.
void ReportHeader::DragOut(int column) {
    draggingOut_ = true;
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pressPosition_),
                        QPointF(mapToGlobal(pressPosition_)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QHeaderView::mouseReleaseEvent(&release);
    auto* drag = new QDrag(this);
    drag->setMimeData(ColumnDrag::Encode(column).release());
    const Qt::DropAction taken = drag->exec(Qt::MoveAction);
    draggingOut_ = false;
    if (ColumnDrag::HidesAfterDragOut(taken, QGuiApplication::mouseButtons())) {
        Q_EMIT ColumnDraggedOff(column);
    }
}

void ReportHeader::MarkDivider(int x) {
    if (dividerX_ != x) {
        dividerX_ = x;
        viewport()->update();
    }
}

void ReportHeader::dragEnterEvent(QDragEnterEvent* event) {
    if (ColumnDrag::Decode(event->mimeData())) {
        event->acceptProposedAction();
        MarkDivider(DividerX(DropVisualIndex(event->position().toPoint().x())));
        return;
    }
    event->ignore();
}

void ReportHeader::dragMoveEvent(QDragMoveEvent* event) {
    if (ColumnDrag::Decode(event->mimeData())) {
        event->acceptProposedAction();
        MarkDivider(DividerX(DropVisualIndex(event->position().toPoint().x())));
        return;
    }
    event->ignore();
}

void ReportHeader::dragLeaveEvent(QDragLeaveEvent* /*event*/) {
    MarkDivider(-1);
}

void ReportHeader::dropEvent(QDropEvent* event) {
    MarkDivider(-1);
    const std::optional<int> column = ColumnDrag::Decode(event->mimeData());
    if (!column) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT ColumnDropped(*column, DropVisualIndex(event->position().toPoint().x()));
}

void ReportHeader::paintEvent(QPaintEvent* event) {
    QHeaderView::paintEvent(event);
    if (dividerX_ < 0) {
        return;
    }
    QPainter painter(viewport());
    painter.fillRect(QRect(dividerX_ - 1, 0, 3, height()), palette().color(QPalette::Highlight));
}

}  // namespace quexa::ui
