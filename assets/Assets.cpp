#include "Assets.h"

#include <QFile>

namespace tarvo::assets {

QString path(const QString& picture) {
    return QStringLiteral(":/skin/") + picture;
}

QByteArray bytes(const QString& picture) {
    QFile file(path(picture));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace tarvo::assets
