#pragma once

#include "SkinContext.h"

#include <QStringList>

namespace tk {
class Window;
}

namespace skin {

// Applies the skin markup of the main window's tags at start-up: places the picture buttons
// at their positions with their pictures' sizes, then places and styles the transparent
// labels, each list in its order. Returns the names of the units the window does not have
// (skipped); empty when all were there.
QStringList applyStartupSkin(tk::Window& mainWindow, SkinContext& context,
                             const QStringList& pictureButtons, const QStringList& labels);

} // namespace skin
