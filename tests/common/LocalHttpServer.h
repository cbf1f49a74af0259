#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <vector>

// Servers on 127.0.0.1 for tests of network code.

// Python's http.server over a temporary folder that the test fills.
class FileHttpServer {
  public:
    FileHttpServer();
    ~FileHttpServer();
    // Empty once the server is listening, else why it is not.
    QString error() const { return error_; }
    // Writes a file the server then serves at `path` (which starts with a slash).
    void put(const QString& path, const QByteArray& bytes);
    QUrl url(const QString& path) const;

  private:
    QTemporaryDir folder_;
    QProcess process_;
    int port_ = 0;
    QString error_;
};

// Accepts connections and never answers; or, with a trickle interval, sends the head of a
// response that announces a long body and then one byte of it per interval.
class SilentServer : public QObject {
  public:
    explicit SilentServer(int trickleIntervalMs = 0);
    QUrl url(const QString& path = QStringLiteral("/")) const;
    int connectionsAccepted() const { return accepted_; }
    int connectionsClosedByPeer() const { return closedByPeer_; }

  private:
    void accept();

    QTcpServer server_;
    QTimer trickle_;
    int accepted_ = 0;
    int closedByPeer_ = 0;
};

// Watches the event loop with a 10 ms timer: the longest time between two ticks.
class EventLoopGap {
  public:
    EventLoopGap() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
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
