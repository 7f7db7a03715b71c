#pragma once

#include <QListWidget>

namespace quexa::ui {

class ResultListView;

// The "Field Manager": the captions of the result list's hidden columns. An entry dragged onto
// the list's header is shown where it is dropped (activating it, by Enter or a double click, shows
// it at the end); a header section dragged onto this list is hidden.
class ColumnChooser : public QListWidget {
    Q_OBJECT

  public:
    static constexpr int kColumnRole = Qt::UserRole + 1;

    // The view must outlive the chooser.
    explicit ColumnChooser(ResultListView& view, QWidget* parent = nullptr);

    void Refill();

  protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    Qt::DropActions supportedDropActions() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void ShowAtEnd(QListWidgetItem* item);

    ResultListView& view_;
};

}  // namespace quexa::ui
