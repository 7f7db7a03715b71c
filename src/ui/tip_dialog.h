#pragma once

#include <QDialog>

#include "tasks/tip_of_day.h"

class QCheckBox;
class QLabel;

namespace quexa::ui {

// "Tip of Day": one tip after another from the tips file, and whether the dialog comes up at
// start-up. The choice is stored as soon as the box is clicked, so closing the dialog in any
// way keeps it.
class TipDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Tip of Day";
    static constexpr const char* kShowAtStartUp = "&Show tips at startup";
    static constexpr const char* kNoTip =
        "No tip to show: the file tips.txt beside the program is missing or holds no tip.";

    // The tips must outlive the dialog.
    explicit TipDialog(tasks::TipOfDay& tips, QWidget* parent = nullptr);

    // Shows the tip after the one shown.
    void ShowNextTip();
    QString Tip() const;

  private:
    tasks::TipOfDay& tips_;
    QLabel* tip_;
    QCheckBox* showAtStartUp_;
};

}  // namespace quexa::ui
