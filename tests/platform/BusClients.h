#pragma once

#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// What a client program printed and how it ended.
struct ClientRun {
    bool finished = false; // false: it could not start or did not end in time
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a client to its end while the event loop turns: the service under test answers the
// client from this same loop.
ClientRun
runClient(const QString& program, const QStringList& arguments,
          const QString& workingDirectory = {},
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// dbus-monitor watching the session bus, started and ready (it sees what is sent from now on).
class BusMonitor {
  public:
    explicit BusMonitor(const QString& matchRule);
    ~BusMonitor();
    bool isReady() const { return ready_; }
    // Turns the event loop until the monitor has printed `text`, for at most `timeoutMs`.
    bool waitFor(const QString& text, int timeoutMs = 5000);
    QString output() const { return output_; }

  private:
    QProcess process_;
    QString output_;
    bool ready_ = false;
};

// The signals the media-control object sends (PropertiesChanged, Seeked), as this process
// receives them from the bus.
class BusSignalRecorder : public QObject {
    Q_OBJECT
  public:
    BusSignalRecorder();
    // Turns the event loop until `count` signals have come, for at most `timeoutMs`.
    bool waitForCount(qsizetype count, int timeoutMs = 5000);
    QList<QDBusMessage> received;

  private slots:
    void record(const QDBusMessage& signal);
};
