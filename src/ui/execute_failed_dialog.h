#pragma once

#include <QDialog>

#include "tasks/location_commands.h"

namespace quexa::ui {

// "Execute Failed": a location could not be opened, and why.
class ExecuteFailedDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Execute Failed";

    explicit ExecuteFailedDialog(const tasks::ExecuteFailure& failure, QWidget* parent = nullptr);
};

}  // namespace quexa::ui
