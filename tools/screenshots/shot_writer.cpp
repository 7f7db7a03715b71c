#include "shot_writer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace quexa::screenshots {

void ShotWriter::Write(QWidget& widget, const QString& name) {
    widget.show();
    widget.raise();
    widget.activateWindow();
    // A moment of events: the window is mapped, laid out, focused and painted.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    const QString path = folder_.filePath(name + QStringLiteral(".png"));
    if (widget.grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        ++failures_;
    }
}

}  // namespace quexa::screenshots
