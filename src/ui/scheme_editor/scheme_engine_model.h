#pragma once

#include <QAbstractTableModel>

#include "engines/scheme_editor.h"

namespace quexa::ui {

// The scheme editor's engine rows as a table: "Select" (the tick), "Engine", "Result",
// "WebSite", "Operators", "Support". Ticks can be changed only in a user scheme; each change
// goes to the editor, which saves the scheme.
class SchemeEngineModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { Select, Engine, Result, WebSite, Operators, Support, ColumnCount };

    explicit SchemeEngineModel(engines::SchemeEditor& editor, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The editor's rows were refilled or reloaded.
    void Reset();
    // Return numbers or ticks changed in place.
    void RowsChanged();

  Q_SIGNALS:
    void Message(engines::SchemeEditorMessage message);

  private:
    QVariant Text(const engines::SchemeEngineRow& row, int column) const;

    engines::SchemeEditor& editor_;
};

}  // namespace quexa::ui
