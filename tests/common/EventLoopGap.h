#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

// Watches the event loop with a 10 ms timer: the longest time between two ticks.
class EventLoopGap {
  public:
    EventLoopGap() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            longest_ = std::max(longest_, since_.restart());
            ++ticks_;
        });
        since_.start();
        timer_.start(10);
    }
    qint64 longestMs() const { return std::max(longest_, since_.elapsed()); }
    int ticks() const { return ticks_; }

  private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
    int ticks_ = 0;
};
