#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>

#include "core/edit_item_form.h"
#include "core/result_item.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quexa::ui {

// "Edit Item", for Add Item and Edit Item: the texts of a row, its status and its visit. The
// form keeps the rules; OK is enabled while the title and the location are given.
class EditItemDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Edit Item";

    explicit EditItemDialog(core::EditItemForm form, QWidget* parent = nullptr);

    const core::EditItemForm& Form() const { return form_; }

    // Modal; the values on OK, nothing on Cancel.
    static std::optional<core::ResultItem> Ask(core::EditItemForm form, QWidget* parent);

  private:
    QLineEdit* AddLine(const QString& text, std::size_t limit);
    void TakeTexts();

    core::EditItemForm form_;
    QLineEdit* title_;
    QLineEdit* location_;
    QLineEdit* target_;
    QPlainTextEdit* preview_;
    QComboBox* status_;
    QComboBox* visit_;
    QPushButton* ok_;
};

}  // namespace quexa::ui
