#pragma once

#include <QAbstractTableModel>

#include <string_view>

#include "tasks/engine_progress_list.h"

namespace quexa::ui {

// The engine bar's rows as a Qt table: "!" (the state picture), "Engine", "Progress",
// "Result", "Remain", "Status". The rows live in a tasks::EngineProgressList.
class EngineBarModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column {
        StateColumn,
        EngineColumn,
        ProgressColumn,
        ResultColumn,
        RemainColumn,
        StatusColumn,
        ColumnCount
    };
    enum Role {
        // The row's EngineState as an int.
        StateRole = Qt::UserRole + 1,
        // Position and expected count of the row's progress bar.
        PositionRole,
        ExpectedRole,
    };

    explicit EngineBarModel(QObject* parent = nullptr);

    void Add(std::string_view name, int expected);
    void SetState(std::string_view name, tasks::EngineState state);
    void Step(std::string_view name);
    void Clear();
    const tasks::EngineProgressList& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // Tells the views that the row of that name changed, if there is one.
    void RowChanged(std::string_view name);
    QVariant DisplayText(const tasks::EngineProgressList::Row& row, int column) const;

    tasks::EngineProgressList rows_;
};

}  // namespace quexa::ui
