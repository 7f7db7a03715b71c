#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLineEdit;

namespace quexa::ui {

// A name for a folder or a result file: "New Class" under its parent, "Rename" of a file or a
// folder, or another name for an imported file whose name is taken. The old text is shown
// read-only above the box for the new name.
class NameDialog : public QDialog {
    Q_OBJECT

  public:
    struct Texts {
        QString caption;
        QString oldLabel;
        QString oldText;
        QString newLabel;
        // Rename: OK only for a name other than the old one, letter case ignored.
        bool mustDiffer = true;
    };

    explicit NameDialog(const Texts& texts, QWidget* parent = nullptr);

    QString Name() const;
    QLineEdit* NameEdit() const { return name_; }
    bool OkEnabled() const;

  private:
    void UpdateOk();

    QString oldText_;
    bool mustDiffer_;
    QLineEdit* name_;
    QDialogButtonBox* buttons_;
};

}  // namespace quexa::ui
