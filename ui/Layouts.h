#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;
namespace tk {
class Window;
}

namespace ui {

// The layout data of the player's windows, embedded as resources.
QString layoutPath(const QString& windowName); // ":/layout/<name>.json"
QStringList windowNames();                     // main, options, properties, about, picks

// Builds one of the player's windows from its embedded layout data, owned by `owner` (none:
// a window of its own). The data is part of the program: data that does not parse is a
// broken build, and ends it with the reason.
std::unique_ptr<tk::Window> buildWindow(const QString& windowName, QWidget* owner = nullptr);

} // namespace ui
