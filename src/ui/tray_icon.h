#pragma once

#include <QIcon>
#include <QString>

namespace quexa::ui {

// An icon in the desktop's notification area.
class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    virtual void SetIcon(const QIcon& icon) = 0;
    virtual void SetToolTip(const QString& tip) = 0;
    // False when the desktop has no notification area to put it in.
    virtual bool Show() = 0;
    virtual void Hide() = 0;
};

}  // namespace quexa::ui
