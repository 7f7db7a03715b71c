#pragma once

#include <QDialog>

#include "tasks/search_mode.h"

class QRadioButton;

namespace quexa::ui {

// "New Search - Choose Search Mode": Internet, Intranet or an empty free-edit list.
class SearchModeDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "New Search - Choose Search Mode";

    explicit SearchModeDialog(QWidget* parent = nullptr);

    tasks::SearchMode Choice() const;
    QRadioButton* Button(tasks::SearchMode mode) const;

  private:
    QRadioButton* internet_;
    QRadioButton* intranet_;
    QRadioButton* freeEdit_;
};

}  // namespace quexa::ui
