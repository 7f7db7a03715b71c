#pragma once

#include <QDir>
#include <QString>

class QPixmap;
class QWidget;

namespace quexa::screenshots {

// Writes widgets as PNG files into one folder and counts what failed.
class ShotWriter {
  public:
    explicit ShotWriter(QDir folder) : folder_(std::move(folder)) {}

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
