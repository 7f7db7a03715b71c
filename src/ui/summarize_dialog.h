#pragma once

#include <QDialog>

#include "core/result_list.h"

class QTreeWidget;

namespace quexa::ui {

// "Summarize": how many rows the list has, by visit and by status, each with its picture.
class SummarizeDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Summarize";

    explicit SummarizeDialog(const core::ResultList::Summary& summary, QWidget* parent = nullptr);

    QTreeWidget* Counts() const { return counts_; }

  private:
    QTreeWidget* counts_;
};

}  // namespace quexa::ui
