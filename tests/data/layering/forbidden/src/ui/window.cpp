#include <QApplication>

#include "core/text.h"
