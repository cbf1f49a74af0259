#pragma once

#include <QByteArray>
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
