#include "ui/desktop_url_launcher.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace quexa::ui {

bool DesktopUrlLauncher::OpenUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

}  // namespace quexa::ui
