#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

namespace quexa::ui {

// The welcome picture shown as the main window comes up: borderless, centred on the screen,
// gone after a few seconds or at the first key or mouse button pressed anywhere in the
// application. The press still reaches its target: dismissing the picture costs no input.
class WelcomeWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kShownMilliseconds = 3000;
    static constexpr const char* kTitle = "Quexa - Welcome";
    static constexpr const char* kPicture = "welcome";

    // Shows the one welcome window over the owner, centred on the screen; closes after
    // `milliseconds` or at the first key press or mouse button anywhere in the application.
    // A second call while one is shown does nothing, and a missing picture shows nothing.
    // Returns the window (or nullptr).
    static WelcomeWindow* ShowOver(QWidget* owner, int milliseconds = kShownMilliseconds,
                                   const QString& picture = QString::fromLatin1(kPicture));
    static bool IsShown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    WelcomeWindow(QWidget* owner, const QString& picture, QSize size);
    void CentreOnScreen();

    QString picture_;
    QBasicTimer timer_;
};

}  // namespace quexa::ui
