#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// The layout data of the player's windows, embedded as resources.
QString layoutPath(const QString& windowName); // ":/layout/<name>.json"
QStringList windowNames();                     // main, options, properties, about, picks

} // namespace ui
