#include "ui/engine_bar_model.h"

#include <array>

namespace quexa::ui {
namespace {

constexpr std::array<const char*, EngineBarModel::ColumnCount> kHeaders{
    "!", "Engine", "Progress", "Result", "Remain", "Status"};

Qt::Alignment AlignmentOf(int column) {
    switch (column) {
        case EngineBarModel::StateColumn:
        case EngineBarModel::ProgressColumn:
            return Qt::AlignCenter;
        case EngineBarModel::ResultColumn:
        case EngineBarModel::RemainColumn:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

EngineBarModel::EngineBarModel(QObject* parent) : QAbstractTableModel(parent) {}

void EngineBarModel::Add(std::string_view name, int expected) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    rows_.Add(name, expected);
    endInsertRows();
}

void EngineBarModel::SetState(std::string_view name, tasks::EngineState state) {
    rows_.SetState(name, state);
    RowChanged(name);
}

void EngineBarModel::Step(std::string_view name) {
    rows_.Step(name);
    RowChanged(name);
}

void EngineBarModel::Clear() {
    if (rows_.rows().empty()) {
        return;
    }
    beginResetModel();
    rows_.Clear();
    endResetModel();
}

void EngineBarModel::RowChanged(std::string_view name) {
    const tasks::EngineProgressList::Row* found = rows_.Find(name);
    if (found == nullptr) {
        return;
    }
    const int row = static_cast<int>(found - rows_.rows().data());
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int EngineBarModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.rows().size());
}

int EngineBarModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EngineBarModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const tasks::EngineProgressList::Row& row = rows_.rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            // The delegate paints the state's picture in "!".
            return index.column() == StateColumn ? QVariant{} : DisplayText(row, index.column());
        case Qt::AccessibleTextRole:
            return DisplayText(row, index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(index.column()));
        case StateRole:
            return static_cast<int>(row.state);
        case PositionRole:
            return row.position;
        case ExpectedRole:
            return row.expected;
        default:
            return {};
    }
}

QVariant EngineBarModel::DisplayText(const tasks::EngineProgressList::Row& row, int column) const {
    switch (column) {
        case EngineColumn:
            return QString::fromStdString(row.name);
        case ProgressColumn:
            // Read by a screen reader; the delegate paints a bar instead.
            return QStringLiteral("%1/%2").arg(row.position).arg(row.expected);
        case ResultColumn:
            return row.Result();
        case RemainColumn:
            return row.Remain();
        case StateColumn:
        case StatusColumn: {
            const std::string_view text = tasks::EngineStateText(static_cast<int>(row.state));
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        }
        default:
            return {};
    }
}

QVariant EngineBarModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromLatin1(kHeaders[static_cast<std::size_t>(section)]);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(AlignmentOf(section));
    }
    return {};
}

}  // namespace quexa::ui
