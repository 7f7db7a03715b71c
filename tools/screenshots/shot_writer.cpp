#include "shot_writer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <cstdio>

namespace quexa::screenshots {
namespace {

// A moment of events: the windows are mapped, laid out, focused and painted.
void Settle() {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

}  // namespace

int ShotWriter::RunProgram(int argc, char** argv, const std::function<void(ShotWriter&)>& shots) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    ShotWriter writer(folder);
    shots(writer);
    return writer.Failures() == 0 ? 0 : 1;
}

void ShotWriter::Write(QWidget& widget, const QString& name) {
    widget.show();
    widget.raise();
    widget.activateWindow();
    Settle();
    Save(widget.grab(), name);
}

void ShotWriter::WriteScreen(const QString& name) {
    Settle();
    QRect covered;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            covered |= widget->frameGeometry();
        }
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    covered &= screen->geometry();
    Save(screen->grabWindow(0, covered.x(), covered.y(), covered.width(), covered.height()), name);
}

void ShotWriter::Save(const QPixmap& picture, const QString& name) {
    const QString path = folder_.filePath(name + QStringLiteral(".png"));
    if (!picture.isNull() && picture.save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        ++failures_;
    }
}

}  // namespace quexa::screenshots
