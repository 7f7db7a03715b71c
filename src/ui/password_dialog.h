#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;

namespace quexa::ui {

// "Please input password:": the password of a protected result file, asked before it is
// opened or imported. OK is enabled only while something is typed.
class PasswordDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Please input password:";

    explicit PasswordDialog(QWidget* parent = nullptr);

    QString Password() const;
    QLineEdit* Edit() const { return edit_; }

  private:
    QLineEdit* edit_;
    QDialogButtonBox* buttons_;
};

}  // namespace quexa::ui
