#include "QtConnectivityCheck.h"

#include <QCoreApplication>
#include <QTimer>

namespace tk {

QtConnectivityCheck::QtConnectivityCheck(HttpReader& reader, QUrl testAddress, int timeoutMs,
                                         SystemReport noNetwork)
    : reader_(reader), testAddress_(std::move(testAddress)), timeoutMs_(timeoutMs),
      noNetwork_(std::move(noNetwork)) {}

void QtConnectivityCheck::check(QObject* context, std::function<void(bool online)> done) {
    if (noNetwork_ && noNetwork_()) {
        // Answered through the event loop all the same, so callers see one behaviour.
        QTimer::singleShot(0, context ? context : QCoreApplication::instance(),
                           [done = std::move(done)] { done(false); });
        return;
    }
    reader_.get(testAddress_, timeoutMs_, context,
                [done = std::move(done)](const QByteArray&, bool ok) { done(ok); });
}

} // namespace tk
