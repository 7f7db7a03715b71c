#pragma once

#include <QDir>
#include <QString>

#include <functional>

class QPixmap;
class QWidget;

namespace quexa::screenshots {

// Writes widgets as PNG files into one folder and counts what failed.
class ShotWriter {
  public:
    explicit ShotWriter(QDir folder) : folder_(std::move(folder)) {}

    // A screenshot program's main: the application, the folder named as the one argument (made
    // when missing), then the shots. Exit code 0 when every picture was written, 1 when one
    // was not or the folder can't be made, 2 for wrong arguments.
    static int RunProgram(int argc, char** argv, const std::function<void(ShotWriter&)>& shots);

    // Shows the widget, lets it paint and saves it as NAME.png.
    void Write(QWidget& widget, const QString& name);
    // Lets the shown windows paint and saves the part of the screen they cover, windows and
    // menus over the main window included, as NAME.png.
    void WriteScreen(const QString& name);
    int Failures() const { return failures_; }

  private:
    void Save(const QPixmap& picture, const QString& name);

    QDir folder_;
    int failures_ = 0;
};

}  // namespace quexa::screenshots
