#include "MprisRootAdaptor.h"

#include "MprisBackend.h"
#include "MprisNames.h"

namespace platform {

MprisRootAdaptor::MprisRootAdaptor(MprisBackend& backend, QObject* exported)
    : QDBusAbstractAdaptor(exported), backend_(backend) {}

QString MprisRootAdaptor::identity() const {
    return QString::fromLatin1(mpris::kIdentity);
}

QString MprisRootAdaptor::desktopEntry() const {
    return QString::fromLatin1(mpris::kDesktopEntry);
}

QStringList MprisRootAdaptor::supportedMimeTypes() const {
    return backend_.supportedMimeTypes();
}

void MprisRootAdaptor::Raise() {
    backend_.raise();
}

void MprisRootAdaptor::Quit() {
    backend_.quit();
}

} // namespace platform
