#pragma once

#include "Services.h"

#include <QUrl>

namespace tk {

// The connectivity check over an HTTP reader: online when the system does not report the
// network down and a request for the test address succeeds within the time limit.
class QtConnectivityCheck final : public ConnectivityCheck {
  public:
    using SystemReport = std::function<bool()>; // true: no network, do not even try
    QtConnectivityCheck(HttpReader& reader, QUrl testAddress, int timeoutMs,
                        SystemReport noNetwork);

    void check(QObject* context, std::function<void(bool online)> done) override;

  private:
    HttpReader& reader_;
    QUrl testAddress_;
    int timeoutMs_;
    SystemReport noNetwork_;
};

} // namespace tk
