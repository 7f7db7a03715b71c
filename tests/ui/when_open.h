#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

namespace quexa::ui {

// Runs the action on the modal dialog of that kind as soon as it is open; the caller then runs
// the dialog.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog*)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY2(dialog != nullptr, "the expected dialog is not open");
        if (dialog != nullptr) {
            action(dialog);
        }
    });
}

}  // namespace quexa::ui
