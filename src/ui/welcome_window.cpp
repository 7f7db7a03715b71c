#include "ui/welcome_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

QPointer<WelcomeWindow>& Current() {
    static QPointer<WelcomeWindow> current;
    return current;
}

bool IsPress(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            return true;
        default:
            return false;
    }
}

}  // namespace

WelcomeWindow* WelcomeWindow::ShowOver(QWidget* owner, int milliseconds, const QString& picture) {
    if (IsShown()) {
        return nullptr;
    }
    const QSize size = PictureBook::NaturalSize(picture);
    if (size.isEmpty()) {
        return nullptr;
    }
    auto* window = new WelcomeWindow(owner, picture, size);
    Current() = window;
    window->CentreOnScreen();
    window->show();
    window->timer_.start(std::max(milliseconds, 0), window);
    // Installed only while the picture is up, so the application pays for it three seconds.
    qApp->installEventFilter(window);
    return window;
}

bool WelcomeWindow::IsShown() {
    return !Current().isNull() && Current()->isVisible();
}

WelcomeWindow::WelcomeWindow(QWidget* owner, const QString& picture, QSize size)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), picture_(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kTitle));
    setCursor(Qt::ArrowCursor);
    setFixedSize(size);
}

void WelcomeWindow::CentreOnScreen() {
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

bool WelcomeWindow::eventFilter(QObject* watched, QEvent* event) {
    if (IsPress(event->type()) && isVisible()) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

void WelcomeWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureBook::Picture(picture_, size(), devicePixelRatioF()));
}

void WelcomeWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        close();
        return;
    }
    QWidget::timerEvent(event);
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    timer_.stop();
    qApp->removeEventFilter(this);
    if (parentWidget() != nullptr) {
        parentWidget()->update();
    }
    QWidget::closeEvent(event);
}

}  // namespace quexa::ui
