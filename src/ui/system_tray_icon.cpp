#include "ui/system_tray_icon.h"

namespace quexa::ui {

bool SystemTrayIcon::Show() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return false;
    }
    icon_.show();
    return icon_.isVisible();
}

}  // namespace quexa::ui
