#include "Layouts.h"

#include "LayoutData.h"
#include "Window.h"

namespace ui {

QString layoutPath(const QString& windowName) {
    return QStringLiteral(":/layout/%1.json").arg(windowName);
}

QStringList windowNames() {
    return {QStringLiteral("main"), QStringLiteral("options"), QStringLiteral("properties"),
            QStringLiteral("about"), QStringLiteral("picks")};
}

std::unique_ptr<tk::Window> buildWindow(const QString& windowName, QWidget* owner) {
    QString error;
    const auto spec = tk::loadWindowSpec(layoutPath(windowName), &error);
    if (!spec)
        qFatal("%s", qPrintable(error));
    return std::make_unique<tk::Window>(*spec, owner);
}

} // namespace ui
