#pragma once

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "core/profile.h"
#include "tasks/query_page.h"

class QComboBox;
class QPushButton;

namespace quexa::ui {

// The query box of a wizard's last page: an editable box listing the history, filled with the
// last query, and "Clear History", enabled while the box lists something.
class HistoryBox : public QWidget {
    Q_OBJECT

  public:
    HistoryBox(tasks::QueryPage page, core::Profile& profile, const QString& label,
               QWidget* parent = nullptr);

    // The history and the last query, on the page's first display.
    void Fill();
    // Stores the query as Finish does; nothing (and nothing stored) for an empty box.
    std::optional<std::string> Finish();

    QComboBox* Box() const { return box_; }
    QPushButton* ClearButton() const { return clear_; }

  private:
    void ClearHistory();

    tasks::QueryPage page_;
    core::Profile& profile_;
    std::vector<std::string> shown_;
    QComboBox* box_;
    QPushButton* clear_;
};

}  // namespace quexa::ui
