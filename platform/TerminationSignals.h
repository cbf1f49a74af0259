#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace platform {

// Turns SIGINT, SIGTERM and SIGHUP into a call on the main thread, so that a player told to
// end by the session, `kill` or Ctrl+C ends the way its exit button ends it (engine freed,
// tray icon and snow taken away). The signal handler only writes a byte to a pipe that the
// event loop watches. One instance at a time; destroying it restores the default actions.
class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    explicit TerminationSignals(std::function<void(int signal)> onSignal,
                                QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    void deliver();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace platform
