#pragma once

#include <QAbstractTableModel>

#include <cstddef>
#include <span>

#include "core/result_column.h"
#include "core/result_list.h"
#include "core/result_list_observer.h"

namespace quexa::ui {

// The result list as a Qt table: the rows stay in the core's ResultList and are read from it
// when the view asks, so there is no second copy. The list's notices, one per batch, become
// the model's signals: a load of a million rows is one insertion, a sort one layout change.
class ResultListModel : public QAbstractTableModel, private core::ResultListObserver {
    Q_OBJECT

  public:
    enum Role {
        // The status or visit code of a picture cell, as an int.
        CodeRole = Qt::UserRole + 1,
    };

    // Becomes the list's observer until it is destroyed; the list must outlive it.
    explicit ResultListModel(core::ResultList& list, QObject* parent = nullptr);
    ~ResultListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Only the check of "Select" can be set; it marks the list modified.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Sorts the core's rows on this thread.
    void sort(int column, Qt::SortOrder order) override;

    core::ResultList& List() { return list_; }
    const core::ResultList& List() const { return list_; }

    // The cell a column shows; columns are the cells in their definition order.
    static core::ResultCell CellOf(int column) { return static_cast<core::ResultCell>(column); }
    static int ColumnOf(core::ResultCell cell) { return static_cast<int>(cell); }
    static bool IsPictureColumn(int column);
    static bool IsCheckColumn(int column);

    // A click on the check box: flips Selected of the row and marks the list modified.
    bool ToggleSelected(int row);
    // The cell's text as the view shows it (empty for picture and check cells).
    QString Text(int row, int column) const;

  private:
    void RowsAboutToBeInserted(std::size_t first, std::size_t last) override;
    void RowsInserted(std::size_t first, std::size_t last) override;
    void RowsAboutToBeRemoved(std::size_t first, std::size_t last) override;
    void RowsRemoved(std::size_t first, std::size_t last) override;
    void AboutToReset() override;
    void Reset() override;
    void RowsChanged(std::size_t first, std::size_t last) override;
    void AboutToReorder() override;
    void Reordered(std::span<const std::size_t> newRowOf) override;

    QVariant PictureData(int row, int column, int role) const;

    core::ResultList& list_;
};

}  // namespace quexa::ui
