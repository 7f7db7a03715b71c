#pragma once

#include <QDialog>

#include <optional>

#include "engines/scheme_editor.h"
#include "tasks/location_opener.h"

class QPushButton;
class QSpinBox;

namespace quexa::ui {

// "Edit Engine": one engine row of the scheme editor, of which only the return number can be
// changed, and only in a user scheme; "Visit Web" opens the engine's site in the browser.
class EditEngineDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Edit Engine";

    EditEngineDialog(const engines::SchemeEngineRow& row, bool editable,
                     tasks::LocationOpener& opener, QWidget* parent = nullptr);

    QSpinBox& Result() const { return *result_; }
    QPushButton& OkButton() const { return *ok_; }
    QPushButton& VisitButton() const { return *visit_; }

    // Modal; the return number on OK, nothing on Cancel.
    static std::optional<int> Ask(const engines::SchemeEngineRow& row, bool editable,
                                  tasks::LocationOpener& opener, QWidget* parent);

  private:
    QSpinBox* result_;
    QPushButton* ok_ = nullptr;
    QPushButton* visit_;
};

}  // namespace quexa::ui
