#include "ui/wizards/check_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace quexa::ui {

CheckList::CheckList(const QString& textColumn, int selectWidth, int textWidth, QWidget* parent)
    : QTreeWidget(parent) {
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Select"), textColumn});
    setColumnWidth(0, selectWidth);
    setColumnWidth(1, textWidth);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!filling_ && column == 0) {
            Q_EMIT Toggled(indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
        }
    });
    connect(this, &QTreeWidget::itemPressed, this,
            [this](QTreeWidgetItem* item) { Q_EMIT RowChosen(indexOfTopLevelItem(item)); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!filling_ && item != nullptr) {
            Q_EMIT RowChosen(indexOfTopLevelItem(item));
        }
    });
}

void CheckList::SetRows(const std::vector<Row>& rows, int current) {
    filling_ = true;
    clear();
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem(this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.ticked ? Qt::Checked : Qt::Unchecked);
        item->setText(1, row.text);
    }
    setCurrentItem(current >= 0 && current < topLevelItemCount() ? topLevelItem(current) : nullptr);
    filling_ = false;
}

std::vector<bool> CheckList::Ticks() const {
    std::vector<bool> ticks;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        ticks.push_back(topLevelItem(row)->checkState(0) == Qt::Checked);
    }
    return ticks;
}

int CheckList::CurrentRow() const {
    return currentItem() == nullptr ? -1 : indexOfTopLevelItem(currentItem());
}

QPoint CheckList::CurrentRowPoint() const {
    const QRect rect = currentItem() == nullptr ? QRect() : visualItemRect(currentItem());
    return viewport()->mapToGlobal(rect.isValid() ? rect.center() : QPoint(0, 0));
}

void CheckList::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        Q_EMIT MenuRequested(event->globalPos());
    } else {
        Q_EMIT MenuRequested(CurrentRowPoint());
    }
    event->accept();
}

void CheckList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        Q_EMIT MenuRequested(CurrentRowPoint());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace quexa::ui
