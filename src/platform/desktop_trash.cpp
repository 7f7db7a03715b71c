#include "platform/desktop_trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

namespace quexa::platform {

bool DesktopTrash::MoveToTrash(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    // Qt makes the home trash only inside an existing data folder; without one it would move
    // the entry into the working folder instead.
    const QString dataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder)) {
        return false;
    }
    return QFile::moveToTrash(QString::fromStdString(path));
}

}  // namespace quexa::platform
