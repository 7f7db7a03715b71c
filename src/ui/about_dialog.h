#pragma once

#include <QDialog>
#include <QFont>

namespace quexa::ui {

// "About Quexa": the program's picture, name and version, and a closing line painted across
// the bottom of the box.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "About Quexa";
    static constexpr const char* kVersion = "Quexa 1.03";
    static constexpr const char* kLine = "Many engines, one list.";
    static constexpr int kLinePoints = 18;

    explicit AboutDialog(QWidget* parent = nullptr);

    // Bold italic sans serif of the line at the bottom.
    static QFont LineFont();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int lineHeight_;
};

}  // namespace quexa::ui
