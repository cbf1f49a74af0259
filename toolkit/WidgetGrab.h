#pragma once

#include <QImage>

class QWidget;

namespace tk {

// What the window shows over the widget's rectangle now, the widget and its visible children
// included, as a 32-bit image of the widget's size. Works whether or not the window is on
// screen. Null for a widget that is a window itself.
QImage grabShown(const QWidget& widget);

// What the window shows under the widget's rectangle with the widget itself hidden: the
// window's background and whatever lies beneath. The widget's visibility is restored.
QImage grabUnderneath(QWidget& widget);

} // namespace tk
