#include "LocalHttpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpSocket>

FileHttpServer::FileHttpServer() {
    process_.setStandardErrorFile(QProcess::nullDevice()); // one log line per request
    process_.start(QStringLiteral(TARVO_PYTHON3),
                   {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                    QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                    QStringLiteral("--directory"), folder_.path()});
    // "Serving HTTP on 127.0.0.1 port 40123 (http://127.0.0.1:40123/) ..."
    static const QRegularExpression announcement(QStringLiteral("port (\\d+)"));
    QByteArray said;
    while (port_ == 0 && process_.waitForReadyRead(10000)) {
        said += process_.readAllStandardOutput();
        port_ = announcement.match(QString::fromUtf8(said)).captured(1).toInt();
    }
    if (port_ == 0)
        error_ = QStringLiteral("%1 -m http.server did not start: %2 %3")
                     .arg(QStringLiteral(TARVO_PYTHON3), process_.errorString(),
                          QString::fromUtf8(said));
}

FileHttpServer::~FileHttpServer() {
    process_.kill();
    process_.waitForFinished();
}

void FileHttpServer::put(const QString& path, const QByteArray& bytes) {
    const QString file = folder_.path() + path;
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
}

QUrl FileHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
}

SilentServer::SilentServer(int trickleIntervalMs) {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, &SilentServer::accept);
    trickle_.setInterval(trickleIntervalMs);
}

QUrl SilentServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

void SilentServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++accepted_;
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, this, [this] { ++closedByPeer_; });
        if (trickle_.interval() <= 0)
            continue; // reads nothing, says nothing
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        connect(&trickle_, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        trickle_.start();
    }
}
