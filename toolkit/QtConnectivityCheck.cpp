#include "QtConnectivityCheck.h"

#include <QCoreApplication>
#include <QNetworkInformation>
#include <QTimer>

namespace tk {

bool systemReportsNoNetwork() {
    // Loaded once for the process; Qt keeps the backend until the application ends.
    static const bool loaded = [] {
        if (QNetworkInformation::loadDefaultBackend())
            return true;
        for (const QString& name : QNetworkInformation::availableBackends())
            if (QNetworkInformation::loadBackendByName(name))
                return true;
        return false;
    }();
    return loaded && QNetworkInformation::instance()->reachability() ==
                         QNetworkInformation::Reachability::Disconnected;
}

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
