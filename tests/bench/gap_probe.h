#pragma once

#include <QBasicTimer>
#include <QObject>

#include <chrono>

namespace quexa::bench {

// Notes each round of the event loop with a timer that is due at every round, and keeps the
// longest time between two.
class GapProbe : public QObject {
  public:
    void Start();
    // Seconds of the longest time without a round; the time since the last round counts too.
    double Stop();

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    QBasicTimer timer_;
    std::chrono::steady_clock::time_point last_;
    double longest_ = 0;
};

}  // namespace quexa::bench
