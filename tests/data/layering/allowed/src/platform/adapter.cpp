#include <QDesktopServices>
#include <QSettings>
#include <QtCore/QFile>

#include "tasks/worker.h"
