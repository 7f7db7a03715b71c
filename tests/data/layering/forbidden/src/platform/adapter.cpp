#include <QSettings>
#include <QWidget>
