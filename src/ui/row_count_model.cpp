#include "ui/row_count_model.h"

#include <algorithm>

namespace quexa::ui {

RowCountModel::RowCountModel(QAbstractItemModel& source, QObject* parent)
    : QAbstractListModel(parent), source_(source), count_(source.rowCount()) {
    connect(&source_, &QAbstractItemModel::rowsInserted, this, &RowCountModel::Follow);
    connect(&source_, &QAbstractItemModel::rowsRemoved, this, &RowCountModel::Follow);
    connect(&source_, &QAbstractItemModel::modelReset, this, &RowCountModel::Restart);
}

int RowCountModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

QVariant RowCountModel::data(const QModelIndex& /*index*/, int /*role*/) const {
    return {};
}

int RowCountModel::Slack() const {
    return count_ - source_.rowCount();
}

void RowCountModel::Follow() {
    const int rows = source_.rowCount();
    if (rows > count_) {
        // New rows go at the end: nothing behind them moves.
        beginInsertRows({}, count_, rows - 1);
        count_ = rows;
        endInsertRows();
    } else if (count_ - rows > std::max(kMinSlack, rows / 8)) {
        beginRemoveRows({}, rows, count_ - 1);
        count_ = rows;
        endRemoveRows();
    }
}

void RowCountModel::Restart() {
    beginResetModel();
    count_ = source_.rowCount();
    endResetModel();
}

}  // namespace quexa::ui
