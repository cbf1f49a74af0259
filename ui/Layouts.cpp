#include "Layouts.h"

namespace ui {

QString layoutPath(const QString& windowName) {
    return QStringLiteral(":/layout/%1.json").arg(windowName);
}

QStringList windowNames() {
    return {QStringLiteral("main"), QStringLiteral("options"), QStringLiteral("properties"),
            QStringLiteral("about"), QStringLiteral("picks")};
}

} // namespace ui
