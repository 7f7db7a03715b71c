#pragma once

#include <QEvent>
#include <QObject>

namespace quexa::ui::testing {

// Counts the paint events of the widgets it is installed on.
class PaintCounter : public QObject {
  public:
    int count = 0;

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

}  // namespace quexa::ui::testing
