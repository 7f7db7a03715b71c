#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace quexa::ui {

// "Search Scheme Name -- Quexa": one name of at most 255 characters; OK only while it holds
// more than blanks.
class SchemeNameDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Search Scheme Name -- Quexa";
    static constexpr int kNameLimit = 255;

    explicit SchemeNameDialog(const QString& name, QWidget* parent = nullptr);

    QLineEdit& Name() const { return *name_; }
    QPushButton& OkButton() const { return *ok_; }

    // Modal; the name as typed on OK, nothing on Cancel.
    static std::optional<std::string> Ask(const QString& name, QWidget* parent);

  private:
    QLineEdit* name_;
    QPushButton* ok_ = nullptr;
};

}  // namespace quexa::ui
