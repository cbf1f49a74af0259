#include "QtHttpReader.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace tk {

namespace {

bool succeeded(const QNetworkReply& reply, qint64 maxBodyBytes) {
    if (reply.error() != QNetworkReply::NoError || reply.bytesAvailable() > maxBodyBytes)
        return false;
    // Schemes without a status (file:, data:) succeed by having no error.
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return !status.isValid() || (status.toInt() >= 200 && status.toInt() < 300);
}

} // namespace

QtHttpReader::QtHttpReader(qint64 maxBodyBytes)
    : manager_(std::make_unique<QNetworkAccessManager>()), maxBodyBytes_(maxBodyBytes) {}

QtHttpReader::~QtHttpReader() = default;

void QtHttpReader::get(const QUrl& address, int timeoutMs, QObject* context, Callback done) {
    QNetworkReply* reply = manager_->get(QNetworkRequest(address));
    QObject* receiver = context ? context : QCoreApplication::instance();

    // One deadline for the whole request. Qt's transfer timeout restarts with every byte, so a
    // server that trickles its answer would hold the request open for ever.
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    deadline->setTimerType(Qt::PreciseTimer); // a coarse one may fire 5 % late
    QObject::connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(std::max(timeoutMs, 0));
    // Given up as soon as the announced or the received size passes the limit (a body that
    // arrives in one piece is only measured when it is complete).
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, limit = maxBodyBytes_](qint64 received, qint64 total) {
                         if (received > limit || total > limit)
                             reply->abort();
                     });

    auto deliver = [reply, limit = maxBodyBytes_, done = std::move(done)] {
        reply->deleteLater();
        const bool ok = succeeded(*reply, limit);
        if (done)
            done(ok ? reply->readAll() : QByteArray(), ok);
    };
    const auto finished =
        QObject::connect(reply, &QNetworkReply::finished, receiver, std::move(deliver));
    // While the context is being destroyed its connections still deliver, and abort() reports
    // "finished" at once: the callback is cut off first.
    if (context)
        QObject::connect(context, &QObject::destroyed, reply, [reply, finished] {
            QObject::disconnect(finished);
            reply->abort();
            reply->deleteLater();
        });
}

int QtHttpReader::requestsInFlight() const {
    return static_cast<int>(
        manager_->findChildren<QNetworkReply*>(Qt::FindDirectChildrenOnly).size());
}

} // namespace tk
