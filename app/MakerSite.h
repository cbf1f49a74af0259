#pragma once

#include <QString>

namespace app {

// The maker's web server: the engine download, the daily-picks text and the site itself.
inline QString makerSite() {
    return QStringLiteral("http://www.tarvo.example");
}

} // namespace app
