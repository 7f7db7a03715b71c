#pragma once

#include <QSystemTrayIcon>

#include "ui/tray_icon.h"

namespace quexa::ui {

// The tray icon through Qt's QSystemTrayIcon.
class SystemTrayIcon : public TrayIcon {
  public:
    void SetIcon(const QIcon& icon) override { icon_.setIcon(icon); }
    void SetToolTip(const QString& tip) override { icon_.setToolTip(tip); }
    bool Show() override;
    void Hide() override { icon_.hide(); }

  private:
    QSystemTrayIcon icon_;
};

}  // namespace quexa::ui
