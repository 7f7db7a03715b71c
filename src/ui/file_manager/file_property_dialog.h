#pragma once

#include <QDialog>

#include "tasks/file_property.h"

class QLineEdit;
class QTreeWidget;

namespace quexa::ui {

// "File Property": a result file's header as rows of attribute and content, with its note and
// author, which may be edited unless the file has a password.
class FilePropertyDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "File Property";

    explicit FilePropertyDialog(const tasks::FileProperty& property, QWidget* parent = nullptr);

    QString Note() const;
    QString Author() const;
    QTreeWidget* Rows() const { return rows_; }
    QLineEdit* NoteEdit() const { return note_; }
    QLineEdit* AuthorEdit() const { return author_; }

  private:
    QTreeWidget* rows_;
    QLineEdit* note_;
    QLineEdit* author_;
};

}  // namespace quexa::ui
