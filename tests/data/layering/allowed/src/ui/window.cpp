#include <QApplication>
#include <QWidget>
#include <QtWidgets/QLabel>
#include <qglobal.h>

#include "core/plain.h"
#include "platform/adapter.h"
#include "tasks/worker.h"
