#pragma once

#include "Services.h"

#include <QUrl>

namespace tk {

// True when the system reports that there is no network at all. Asks Qt's network
// information backend (NetworkManager, else GLib's monitor); where none can be loaded, or it
// cannot tell, nothing is reported and the test request alone decides.
bool systemReportsNoNetwork();

// The connectivity check over an HTTP reader: online when the system does not report the
// network down and a request for the test address succeeds within the time limit.
class QtConnectivityCheck final : public ConnectivityCheck {
  public:
    using SystemReport = std::function<bool()>; // true: no network, do not even try
    QtConnectivityCheck(HttpReader& reader, QUrl testAddress, int timeoutMs,
                        SystemReport noNetwork = systemReportsNoNetwork);

    void check(QObject* context, std::function<void(bool online)> done) override;

  private:
    HttpReader& reader_;
    QUrl testAddress_;
    int timeoutMs_;
    SystemReport noNetwork_;
};

} // namespace tk
