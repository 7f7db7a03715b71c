#pragma once

#include <QWidget>

class QTableView;

namespace quexa::ui {

class EngineBarModel;

// The engine bar's content: an etched frame holding the engine progress list, one row per
// engine of the search with its state, progress, result and remaining counts and status.
class EngineBar : public QWidget {
    Q_OBJECT

  public:
    explicit EngineBar(QWidget* parent = nullptr);

    EngineBarModel& Model() { return *model_; }
    QTableView& List() { return *list_; }

  private:
    EngineBarModel* model_;
    QTableView* list_;
};

}  // namespace quexa::ui
