#include "ui/result_list_model.h"

#include <QPixmap>

#include "core/status_code.h"
#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

int ToInt(std::size_t value) {
    return static_cast<int>(value);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ResultListModel::ResultListModel(core::ResultList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    list_.SetObserver(this);
}

ResultListModel::~ResultListModel() {
    list_.SetObserver(nullptr);
}

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ToInt(list_.Count());
}

int ResultListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ToInt(core::ResultColumn::kCount);
}

bool ResultListModel::IsPictureColumn(int column) {
    return column == ColumnOf(core::ResultCell::Status) ||
           column == ColumnOf(core::ResultCell::Visit);
}

bool ResultListModel::IsCheckColumn(int column) {
    return column == ColumnOf(core::ResultCell::Select);
}

QString ResultListModel::Text(int row, int column) const {
    if (row < 0 || column < 0) {
        return {};
    }
    return FromUtf8(list_.CellText(static_cast<std::size_t>(row), CellOf(column)));
}

QVariant ResultListModel::PictureData(int row, int column, int role) const {
    const core::ResultItem& item = list_.Item(static_cast<std::size_t>(row));
    const int code = column == ColumnOf(core::ResultCell::Status) ? static_cast<int>(item.status)
                                                                  : static_cast<int>(item.visit);
    switch (role) {
        case CodeRole:
            return code;
        case Qt::DecorationRole:
            return PictureBook::CodePicture(code);
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            return FromUtf8(core::CodeText(code));
        default:
            return {};
    }
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index)) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    if (IsPictureColumn(column)) {
        return PictureData(row, column, role);
    }
    if (IsCheckColumn(column)) {
        const bool selected = list_.Item(static_cast<std::size_t>(row)).selected;
        if (role == Qt::CheckStateRole) {
            return selected ? Qt::Checked : Qt::Unchecked;
        }
        if (role == Qt::AccessibleTextRole) {
            return selected ? QStringLiteral("Selected") : QStringLiteral("Not selected");
        }
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return Text(row, column);
    }
    return {};
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    if (section < 0 || section >= columnCount()) {
        return {};
    }
    return FromUtf8(core::kResultColumns[static_cast<std::size_t>(section)].header);
}

Qt::ItemFlags ResultListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !checkIndex(index)) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (IsCheckColumn(index.column())) {
        result |= Qt::ItemIsUserCheckable;
    }
    return result;
}

bool ResultListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || !IsCheckColumn(index.column()) ||
        !checkIndex(index)) {
        return false;
    }
    const bool selected = value.value<Qt::CheckState>() == Qt::Checked;
    // The list tells the change back through RowsChanged.
    return list_.SetSelected(static_cast<std::size_t>(index.row()), selected);
}

bool ResultListModel::ToggleSelected(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    const auto at = static_cast<std::size_t>(row);
    return list_.SetSelected(at, !list_.Item(at).selected);
}

void ResultListModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    list_.Sort(CellOf(column), order == Qt::DescendingOrder);
}

void ResultListModel::RowsAboutToBeInserted(std::size_t first, std::size_t last) {
    beginInsertRows({}, ToInt(first), ToInt(last));
}

void ResultListModel::RowsInserted(std::size_t /*first*/, std::size_t /*last*/) {
    endInsertRows();
}

void ResultListModel::RowsAboutToBeRemoved(std::size_t first, std::size_t last) {
    beginRemoveRows({}, ToInt(first), ToInt(last));
}

void ResultListModel::RowsRemoved(std::size_t /*first*/, std::size_t /*last*/) {
    endRemoveRows();
}

void ResultListModel::AboutToReset() {
    beginResetModel();
}

void ResultListModel::Reset() {
    endResetModel();
}

void ResultListModel::RowsChanged(std::size_t first, std::size_t last) {
    Q_EMIT dataChanged(index(ToInt(first), 0), index(ToInt(last), columnCount() - 1));
}

void ResultListModel::AboutToReorder() {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultListModel::Reordered(std::span<const std::size_t> newRowOf) {
    // Only what the views hold on to moves: the current row, the selection, the row under the
    // mouse. That is a handful of indexes, not a million.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const auto oldRow = static_cast<std::size_t>(old.row());
        after.append(oldRow < newRowOf.size() ? index(ToInt(newRowOf[oldRow]), old.column())
                                              : QModelIndex());
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace quexa::ui
