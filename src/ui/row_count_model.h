#pragma once

#include <QAbstractListModel>

namespace quexa::ui {

// What the result list's row header is told: only how many rows there are. Every row is as
// high as the next and none is hidden or moved, so the header's per-row entries are all alike
// and need not follow each insertion and removal where it happens. A removal there would cost
// the header a pass over every row (a thousand verification deletions over a million rows took
// seconds); instead the header keeps some rows too many and drops them all at once.
class RowCountModel : public QAbstractListModel {
    Q_OBJECT

  public:
    // Rows the header may count beyond the list before it drops them: at least this many, or an
    // eighth of the list.
    static constexpr int kMinSlack = 1024;

    // Follows the rows of the source, which must outlive it.
    explicit RowCountModel(QAbstractItemModel& source, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The rows the header counts beyond the list.
    int Slack() const;

  private:
    void Follow();
    void Restart();

    QAbstractItemModel& source_;
    int count_ = 0;
};

}  // namespace quexa::ui
