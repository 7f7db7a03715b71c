#include "ui/scheme_editor/scheme_engine_model.h"

namespace quexa::ui {
namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SchemeEngineModel::SchemeEngineModel(engines::SchemeEditor& editor, QObject* parent)
    : QAbstractTableModel(parent), editor_(editor) {}

int SchemeEngineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(editor_.rows().size());
}

int SchemeEngineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SchemeEngineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const engines::SchemeEngineRow& row = editor_.rows()[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::CheckStateRole:
            return index.column() == Select ? QVariant(row.ticked ? Qt::Checked : Qt::Unchecked)
                                            : QVariant();
        case Qt::DisplayRole:
            return Text(row, index.column());
        case Qt::TextAlignmentRole:
            return index.column() == Result ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant();
        default:
            return {};
    }
}

QVariant SchemeEngineModel::Text(const engines::SchemeEngineRow& row, int column) const {
    switch (column) {
        case Engine:
            return QString::fromStdString(row.name);
        case Result:
            return QString::number(row.returnNumber);
        case WebSite:
            return QString::fromStdString(row.webSite);
        case Operators:
            return FromView(engines::kOperatorsText);
        case Support:
            return FromView(engines::kSupportText);
        default:
            return {};
    }
}

QVariant SchemeEngineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kHeadings[] = {"Select",  "Engine",    "Result",
                                            "WebSite", "Operators", "Support"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(kHeadings[section])
                                                 : QVariant();
}

Qt::ItemFlags SchemeEngineModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Select && editor_.UserSchemeSelected()) {
        flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

bool SchemeEngineModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable)) {
        return false;
    }
    const auto message = editor_.SetTicked(static_cast<std::size_t>(index.row()),
                                           value.value<Qt::CheckState>() == Qt::Checked);
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    if (message != engines::SchemeEditorMessage::None) {
        Q_EMIT Message(message);
    }
    return true;
}

void SchemeEngineModel::Reset() {
    beginResetModel();
    endResetModel();
}

void SchemeEngineModel::RowsChanged() {
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, Select), index(rowCount() - 1, Result));
    }
}

}  // namespace quexa::ui
