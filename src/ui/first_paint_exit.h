#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quexa::ui {

// Ends the program right after the window's first paint once start-up is done, when the
// environment variable QUEXA_EXIT_AFTER_FIRST_PAINT is set: the start-up benchmark times the
// program up to what a person first sees, without a display or a person to close it.
class FirstPaintExit : public QObject {
    Q_OBJECT

  public:
    static constexpr const char* kVariable = "QUEXA_EXIT_AFTER_FIRST_PAINT";

    // Call after start-up's own work (a file named on the command line is loaded); does
    // nothing unless the variable is set. The window outlives the event loop.
    static void InstallWhenAsked(QWidget& window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FirstPaintExit(QWidget& window);
    void Watch();

    QPointer<QWidget> window_;
    bool painted_ = false;
};

}  // namespace quexa::ui
