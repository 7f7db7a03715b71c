#include <qglobal.h>

#include "ui/window.h"
