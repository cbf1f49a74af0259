#include "SnowRunner.h"

namespace vis {

SnowRunner::SnowRunner(std::unique_ptr<DesktopCanvas> canvas, std::unique_ptr<RandomSource> random,
                       std::function<int()> drift, QObject* parent)
    : QObject(parent), canvas_(std::move(canvas)), random_(std::move(random)),
      drift_(std::move(drift)), snowfall_(*random_) {
    timer_.setInterval(kFrameIntervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SnowRunner::runFrame);
}

SnowRunner::~SnowRunner() {
    stop();
}

bool SnowRunner::start() {
    if (isRunning())
        return true;
    if (!canvas_->open())
        return false;
    snowfall_.start(*canvas_);
    timer_.start();
    return true;
}

void SnowRunner::stop() {
    if (!isRunning())
        return;
    timer_.stop();
    canvas_->close();
}

void SnowRunner::toggle() {
    if (isRunning())
        stop();
    else
        start();
}

void SnowRunner::runFrame() {
    snowfall_.frame(*canvas_, drift_());
}

} // namespace vis
