#include "InstanceAdaptor.h"

#include "BusReplies.h"
#include "MprisBackend.h"

#include <QDir>

namespace platform {

InstanceAdaptor::InstanceAdaptor(MprisBackend& backend, std::function<void()> afterCommand,
                                 QObject* exported)
    : QDBusAbstractAdaptor(exported), backend_(backend), afterCommand_(std::move(afterCommand)) {}

void InstanceAdaptor::OpenFiles(const QStringList& paths, const QDBusMessage& call) {
    if (paths.isEmpty()) {
        mpris::replyWithError(call, QDBusError::InvalidArgs, QStringLiteral("no files given"));
        return;
    }
    // A relative path would be read against this process's folder, not the caller's.
    for (const QString& path : paths) {
        if (!QDir::isAbsolutePath(path)) {
            mpris::replyWithError(call, QDBusError::InvalidArgs,
                                  QStringLiteral("not an absolute path: %1").arg(path));
            return;
        }
    }
    backend_.openFiles(paths);
    backend_.raise();
    afterCommand_();
}

} // namespace platform
