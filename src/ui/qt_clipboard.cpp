#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace quexa::ui {

void QtClipboard::SetText(std::string_view text) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace quexa::ui
