#pragma once

#include "LayoutData.h"

class QObject;
class QWidget;

namespace tk {

// Creates the Qt object that stands for a unit of the given kind, child of `window`, and
// gives it the unit's initial data (texts, items, pictures, ranges, colours, timers).
// Geometry, container, visibility and state are applied by the window.
QObject* createUnitObject(const UnitSpec& spec, QWidget* window);

// The bytes of a skin picture (path under ":/skin/"); empty when there is none.
QByteArray skinPicture(const QString& path);

} // namespace tk
