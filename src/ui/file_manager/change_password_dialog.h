#pragma once

#include <QDialog>

#include <functional>

#include "tasks/password_change.h"

class QDialogButtonBox;
class QLineEdit;

namespace quexa::ui {

// "Change Password" of a result file. The old password of a file without one is not asked.
// OK stays open when confirm says no (the new password and its confirmation differ).
class ChangePasswordDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Change Password";
    using Confirm = std::function<bool(const tasks::PasswordChange::Entry&)>;

    ChangePasswordDialog(bool isProtected, Confirm confirm, QWidget* parent = nullptr);

    tasks::PasswordChange::Entry Entry() const;
    QLineEdit* OldEdit() const { return old_; }
    QLineEdit* NewEdit() const { return new_; }
    QLineEdit* ConfirmEdit() const { return confirm_; }
    bool OkEnabled() const;

    void accept() override;

  private:
    void UpdateOk();

    bool isProtected_;
    Confirm confirmEntry_;
    QLineEdit* old_;
    QLineEdit* new_;
    QLineEdit* confirm_;
    QDialogButtonBox* buttons_;
};

}  // namespace quexa::ui
